// The start-up line about missing data.
#include "frame/missing_data.h"

#include "audio/sample_bank.h"
#include "platform/data_file.h"
#include "platform/messages.h"

#include <string>

void reportMissingData(bool pictureFound, int sampleFiles) {
    if (pictureFound && sampleFiles == SAMPLE_COUNT) return;
    std::string missing = pictureFound ? "" : "the title picture tc0.txt";
    if (sampleFiles < SAMPLE_COUNT) {
        if (!missing.empty()) missing += " and ";
        missing += sampleFiles == 0 ? "the samples"
                                    : std::to_string(SAMPLE_COUNT - sampleFiles) + " of the " +
                                          std::to_string(SAMPLE_COUNT) + " samples";
    }
    std::string folder = workingFolder();
    if (!folder.empty() && folder.back() != '/') folder += '/';
    folder += "dat";
    say("not found in %s: %s; playing without them", folder.c_str(), missing.c_str());
}
