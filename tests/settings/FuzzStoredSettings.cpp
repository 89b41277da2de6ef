// The options file's reader and writer against arbitrary bytes: nothing may
// crash or misbehave under the sanitizers, and every text the reader takes
// keeps the promise of RoundTrip.h.
//
// Built as it is, main() below mutates a corpus of hand-edited files for a
// while and is run by ctest. Longer by hand, under the sanitizers:
//   cmake --preset asan && cmake --build --preset asan --target vorni-settings-fuzz
//   build/asan/tests/settings/vorni-settings-fuzz 3600 [SEED]
// The entry point is libFuzzer's: with clang, build this file alone with
// -fsanitize=fuzzer,address,undefined and -DVORNI_LIBFUZZER instead.

#include "RoundTrip.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray file(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::string fault = vorni::roundTripFault(file, size % 8);
    if (!fault.empty()) {
        std::fprintf(stderr, "%s, for the file (hex) %s\n", fault.c_str(), file.toHex().constData());
        std::abort();
    }
    return 0;
}

#ifndef VORNI_LIBFUZZER
// Mutates random files of RoundTrip.h for SECONDS (30), from SEED (1).
int main(int argc, char **argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 30;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1;
    std::mt19937 random(seed);
    QList<QByteArray> corpus;
    for (int i = 0; i < 64; ++i)
        corpus.append(vorni::randomFile(random));
    QList<QByteArray> pieces = vorni::Lines + vorni::LineEnds;
    pieces += QByteArray("=|;| #|\"|\xEF\xBB\xBF|\xe9|\xc3\xa9").split('|') + QList<QByteArray>{QByteArray(1, '\0')};
    const auto pick = [&](qsizetype n) { return static_cast<qsizetype>(random() % static_cast<unsigned>(n + 1)); };
    const auto start = std::chrono::steady_clock::now();
    long runs = 0, read = 0;
    for (; std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() < seconds; ++runs) {
        QByteArray file = corpus[pick(corpus.size() - 1)];
        for (int n = 1 + static_cast<int>(random() % 8); n > 0; --n) {
            const qsizetype at = pick(file.size()), length = pick(std::min<qsizetype>(file.size() - at, 16));
            switch (random() % 4) {
            case 0:
                file.insert(at, pieces[pick(pieces.size() - 1)]);
                break;
            case 1:
                file.remove(at, length);
                break;
            case 2:
                file.insert(at, file.mid(pick(file.size()), length));
                break;
            default:
                if (at < file.size())
                    file[at] = static_cast<char>(random());
            }
        }
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(file.constData()),
                               static_cast<std::size_t>(file.size()));
        // What was read as text is mutated further; the corpus stays small enough to stay quick.
        const bool text = vorni::StoredSettings::parse(file).has_value();
        read += text;
        if (text && random() % 8 == 0 && file.size() < 4096) {
            if (corpus.size() < 512)
                corpus.append(file);
            else
                corpus[pick(corpus.size() - 1)] = file;
        }
    }
    std::printf("%ld files in %.0f s (%ld read as text), seed %u: every one kept the promise\n", runs, seconds, read,
                seed);
    return 0;
}
#endif
