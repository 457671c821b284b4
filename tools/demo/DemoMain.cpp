// demorec OUT.vqd: writes the demo recording the saver carries.
#include <cstdio>

#include "DemoRecording.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: demorec OUT.vqd\n");
        return 2;
    }
    uint32_t records = 0;
    if (!demo::WriteDemoRecording(argv[1], records)) {
        std::fprintf(stderr, "demorec: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("demorec: %u records written to %s\n", records, argv[1]);
    return 0;
}
