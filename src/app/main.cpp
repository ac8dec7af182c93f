#include "app/startup.h"

int main(int argc, char** argv) { return ztv::run_setup_program(argc, argv); }
