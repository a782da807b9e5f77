// The serial protocol driver fed replies from the line: the input is split at
// "\n--\n" into chunks, each handed over after the next command is taken.
#include "fuzzenvironment.h"
#include "link/megatec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Megatec megatec;
    for (const QByteArray &chunk : FuzzEnvironment::split(data, size, "\n--\n")) {
        megatec.nextCommand();
        megatec.parseData(chunk);
    }
    megatec.devData();
    FuzzEnvironment::tidy();
    return 0;
}
