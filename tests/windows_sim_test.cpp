// The simulated desktop keeps the Windows contracts of the window walk.
#include <cstring>

#include "support.h"

namespace {

using test::Fixture;
using SimWindows = Fixture;

TEST_F(SimWindows, WalkFromTopToBottomEndsInNull) {
    os::HWND bottom = m().windows.addTopLevel("bottom");
    os::HWND top = m().windows.addTopLevel("top");
    EXPECT_EQ(os::GetWindow(bottom, os::GW_HWNDFIRST), top);
    EXPECT_EQ(os::GetWindow(top, os::GW_HWNDNEXT), bottom);
    EXPECT_EQ(os::GetWindow(bottom, os::GW_HWNDNEXT), nullptr);
    m().windows.destroy(top);
    EXPECT_EQ(os::GetWindow(top, os::GW_HWNDNEXT), nullptr);
    EXPECT_EQ(os::GetWindowTextLengthA(top), 0);
}

TEST_F(SimWindows, TitleIsCutToTheBufferAndTerminated) {
    os::HWND w = m().windows.addTopLevel("Autorun");
    char buffer[8];
    std::memset(buffer, 0xbd, sizeof buffer);
    EXPECT_EQ(os::GetWindowTextLengthA(w), 7);
    EXPECT_EQ(os::GetWindowTextA(w, buffer, 5), 4);
    EXPECT_EQ(std::string(buffer, 6), std::string("Auto\0\xbd", 6));
    EXPECT_EQ(os::GetWindowTextA(w, buffer, 0), 0);
    EXPECT_EQ(static_cast<unsigned char>(buffer[0]), 'A');  // size 0: nothing written
}

TEST_F(SimWindows, PostReachesOnlyWindowsThatTakeIt) {
    os::HWND w = m().windows.addTopLevel("one");
    os::HWND refusing = m().windows.addTopLevel("two");
    m().windows.find(refusing)->refusesPosts = true;
    EXPECT_EQ(os::PostMessageA(w, os::WM_CLOSE, 0, 0), 1);
    EXPECT_EQ(os::PostMessageA(refusing, os::WM_CLOSE, 0, 0), 0);
    m().windows.destroy(w);
    EXPECT_EQ(os::PostMessageA(w, os::WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(m().windows.all[0].posted.size(), 1u);
    EXPECT_TRUE(m().windows.all[1].posted.empty());
}

}  // namespace
