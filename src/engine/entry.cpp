#include "engine/AAutorun.h"

int main(int argc, char** argv) { return AAutorun::main(argc, argv); }
