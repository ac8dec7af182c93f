#include "app/startup.h"
#include "common/program_start.h"

int main(int argc, char** argv) {
    ztv::ProgramStart start(argc, argv);
    return ztv::run_setup_program(start.argc(), start.argv());
}
