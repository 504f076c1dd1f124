// Any bytes as a sample file, through the loader's own decode path: the entry ends up either
// empty or holding exactly as many frames as it says, and the decoder neither crashes nor
// reads or writes outside its buffers.
#include "tests/audio/sample_folder.h"

#include "audio/audio_state.h"
#include "audio/sample_bank.h"

#include <cstdlib>
#include <fstream>

// Where the frames read go, so that the reads are not optimised away.
volatile int heard;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const SampleFolder folder; // the working folder for the whole run
    std::ofstream(folder.pathOf(SAMPLE_NAMES[0]), std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    loadSample(0);
    const SampleEntry& entry = audio.sampleBank[0];
    if ((entry.length == 0) != (entry.frames == nullptr)) std::abort();
    // Reading every frame lets the address checker see a length longer than the array.
    for (uint32_t i = 0; i < entry.length; ++i)
        heard = entry.frames[i].left + entry.frames[i].right;
    freeSamples();
    return 0;
}
