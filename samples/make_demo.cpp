// Writes the demo configuration with the program's own writer:
//   ztv-make-demo samples/demo.ZTV
// The file is written afresh (nothing of an older file is kept), so it always matches the
// configuration in demo_configuration.cpp.
#include <cstdio>

#include "config/config_file.h"
#include "demo_configuration.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ztv-make-demo OUT.ZTV\n");
        return 2;
    }
    const ztv::ConfigState state = ztv::samples::demo_configuration();
    ztv::IniDocument doc;
    ztv::write_config(doc, state.record, state.touch, state.slot_names);
    const ztv::FileWriteStatus status = ztv::replace_file(argv[1], doc.serialize(), ztv::kMaxConfigFileSize);
    if (status != ztv::FileWriteStatus::Ok) {
        std::fprintf(stderr, "%s\n", ztv::config_file_error(status, argv[1]).en.c_str());
        return 1;
    }
    return 0;
}
