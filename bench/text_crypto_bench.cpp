// Decrypting the stored values is on the start path (server address, one
// session-log record per run since the last report), so its cost matters.
#include "services/text_crypto.h"

#include <benchmark/benchmark.h>

namespace {

void BM_EncryptServerAddress(benchmark::State& state) {
    for (auto _ : state) {
        auto encrypted = kelvo::tryEncryptText("https://updates.example.org/kelvo/",
                                               kelvo::kServerAddressPassphrase);
        benchmark::DoNotOptimize(encrypted);
    }
}
BENCHMARK(BM_EncryptServerAddress)->Unit(benchmark::kMillisecond);

void BM_DecryptSessionRecord(benchmark::State& state) {
    const auto encrypted =
        kelvo::tryEncryptText("12082026\t37", kelvo::kSessionLogPassphrase).value();
    for (auto _ : state) {
        auto text = kelvo::tryDecryptText(encrypted, kelvo::kSessionLogPassphrase);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_DecryptSessionRecord)->Unit(benchmark::kMillisecond);

} // namespace
