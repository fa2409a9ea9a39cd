// The program's entry: command line, start-up checks, the saved choice or the
// preferences window, and the settings written back.
#pragma once

class AAutorun {
public:
    AAutorun() = delete;
    static int main(int argc, char** argv);
};
