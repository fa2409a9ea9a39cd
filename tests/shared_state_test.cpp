// The shared state's initial values and its set operations.
#include "support.h"

namespace {

using test::Fixture;
using SharedState = Fixture;

TEST_F(SharedState, InitialValues) {
    EXPECT_EQ(AUtilities::tndrlChoice(), "");
    EXPECT_EQ(AUtilities::mixedChoice(), "");
    EXPECT_EQ(AUtilities::pdfChoice(), "");
    EXPECT_EQ(AUtilities::windowTitle, "Autorun Preferences for Zantic Collections");
    EXPECT_EQ(AUtilities::version, "0013");
    EXPECT_EQ(AUtilities::vlrJarFile(), "\\pvns");
    EXPECT_EQ(AUtilities::windowsList, nullptr);
}

TEST_F(SharedState, EachFlagSetterChangesOnlyItsFlag) {
    using Set = void (*)(bool);
    using Get = bool (*)();
    struct Flag {
        const char* name;
        Set set;
        Get get;
    };
    const Flag flags[] = {
        {"setSlashH", AUtilities::setSlashH, AUtilities::isSlashH},
        {"setSlashP", AUtilities::setSlashP, AUtilities::isSlashP},
        {"setSlashT", AUtilities::setSlashT, AUtilities::isSlashT},
        {"setJavaInstalled", AUtilities::setJavaInstalled, AUtilities::isJavaInstalled},
        {"setNetworkDrive", AUtilities::setNetworkDrive, AUtilities::isOnNetworkDrive},
        {"setVLRInstalled", AUtilities::setVLRInstalled, AUtilities::isVLRInstalled},
        {"setTndrlCD", AUtilities::setTndrlCD, AUtilities::isTndrlCD},
        {"setPDFCD", AUtilities::setPDFCD, AUtilities::isPDFCD},
    };
    for (const Flag& flag : flags) {
        nextRow(flag.name);
        SCOPED_TRACE(flag.name);
        AUtilities::openTraceFile();
        flag.set(true);
        for (const Flag& other : flags) EXPECT_EQ(other.get(), &other == &flag) << other.name;
        EXPECT_EQ(lines(), std::vector<std::string>{"AUtilities::" + std::string(flag.name) +
                                                    "() set to \"true\""});
    }
}

TEST_F(SharedState, MixedNeedsBothMarkersAndGetsAnswerCopies) {
    AUtilities::setTndrlCD(true);
    EXPECT_FALSE(AUtilities::isMixedCD());
    AUtilities::setPDFCD(true);
    EXPECT_TRUE(AUtilities::isMixedCD());

    AUtilities::setKitTitle("Kit");
    std::string copy = AUtilities::kitTitle();
    copy += " changed";
    EXPECT_EQ(AUtilities::kitTitle(), "Kit");
}

}  // namespace
