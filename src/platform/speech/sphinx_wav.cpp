#include "platform/speech/sphinx_wav.h"

#include "platform/atomic_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kelvo::speech {
namespace {

std::uint32_t le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t le16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

void put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((v >> (8 * i)) & 0xff);
    }
}
void put16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v & 0xff);
    out += static_cast<char>(v >> 8);
}

Status badWav(const std::string& why) {
    return Status::failure(EINVAL, "not a usable WAV file: " + why);
}

} // namespace

std::vector<float> resample(const std::vector<float>& input, int fromRate, int toRate) {
    if (fromRate == toRate || input.empty()) {
        return input;
    }
    constexpr int kHalfWidth = 16;
    constexpr double kPi = 3.14159265358979323846;
    double step = static_cast<double>(fromRate) / toRate;
    // Below the lower Nyquist frequency, with a little room for the window.
    double cutoff = std::min(1.0, static_cast<double>(toRate) / fromRate) * 0.95;
    double halfWidth = kHalfWidth / cutoff;
    std::size_t outCount = static_cast<std::size_t>(static_cast<double>(input.size()) / step);
    std::vector<float> output(outCount);
    for (std::size_t n = 0; n < outCount; ++n) {
        double t = static_cast<double>(n) * step;
        long first = static_cast<long>(std::ceil(t - halfWidth));
        long last = static_cast<long>(std::floor(t + halfWidth));
        double sum = 0.0;
        for (long k = std::max(first, 0L); k <= last && k < static_cast<long>(input.size()); ++k) {
            double x = t - static_cast<double>(k);
            double sinc = x == 0.0 ? 1.0 : std::sin(kPi * cutoff * x) / (kPi * cutoff * x);
            double window = 0.5 + 0.5 * std::cos(kPi * x / halfWidth);
            sum += input[static_cast<std::size_t>(k)] * cutoff * sinc * window;
        }
        output[n] = static_cast<float>(sum);
    }
    return output;
}

Result<std::vector<std::int16_t>> decodeWavAsSpeech(std::string_view bytes) {
    auto data = reinterpret_cast<const unsigned char*>(bytes.data());
    if (bytes.size() < 12 || std::memcmp(data, "RIFF", 4) != 0 ||
        std::memcmp(data + 8, "WAVE", 4) != 0) {
        return badWav("no RIFF/WAVE header");
    }
    std::uint16_t format = 0, channels = 0, bits = 0;
    std::uint32_t rate = 0;
    const unsigned char* samples = nullptr;
    std::size_t sampleBytes = 0;
    std::size_t pos = 12;
    while (pos + 8 <= bytes.size()) {
        std::uint32_t size = le32(data + pos + 4);
        const unsigned char* body = data + pos + 8;
        std::size_t available = bytes.size() - pos - 8;
        if (std::memcmp(data + pos, "fmt ", 4) == 0) {
            if (size < 16 || available < 16) {
                return badWav("short format chunk");
            }
            format = le16(body);
            channels = le16(body + 2);
            rate = le32(body + 4);
            bits = le16(body + 14);
            if (format == 0xfffe && size >= 26 && available >= 26) {
                format = le16(body + 24); // extensible: the sub-format's code
            }
        } else if (std::memcmp(data + pos, "data", 4) == 0) {
            samples = body;
            // Streams written on the fly may leave the size unset.
            sampleBytes = std::min<std::size_t>(size, available);
        }
        pos += 8 + static_cast<std::size_t>(size) + (size & 1);
    }
    if (!samples || channels == 0 || rate == 0) {
        return badWav("no format or no data");
    }
    bool pcm = format == 1 && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
    bool floating = format == 3 && bits == 32;
    if (!pcm && !floating) {
        return badWav("unsupported sample format");
    }
    if (rate < 4000 || rate > 384000) {
        return badWav("unsupported sample rate");
    }
    std::size_t frameBytes = static_cast<std::size_t>(bits / 8) * channels;
    std::size_t frames = sampleBytes / frameBytes;
    std::vector<float> mono(frames);
    for (std::size_t f = 0; f < frames; ++f) {
        double sum = 0.0;
        for (std::size_t c = 0; c < channels; ++c) {
            const unsigned char* p = samples + f * frameBytes + c * (bits / 8);
            double v = 0.0;
            if (floating) {
                float x;
                std::uint32_t raw = le32(p);
                std::memcpy(&x, &raw, 4);
                v = x;
            } else if (bits == 8) {
                v = (p[0] - 128) / 128.0;
            } else if (bits == 16) {
                v = static_cast<std::int16_t>(le16(p)) / 32768.0;
            } else if (bits == 24) {
                std::int32_t x = static_cast<std::int32_t>(
                    (p[0] << 8) | (p[1] << 16) | (static_cast<std::uint32_t>(p[2]) << 24));
                v = x / 2147483648.0;
            } else {
                v = static_cast<std::int32_t>(le32(p)) / 2147483648.0;
            }
            sum += v;
        }
        mono[f] = static_cast<float>(sum / channels);
    }
    std::vector<float> speech = resample(mono, static_cast<int>(rate), kSpeechSampleRate);
    std::vector<std::int16_t> out(speech.size());
    for (std::size_t i = 0; i < speech.size(); ++i) {
        out[i] = static_cast<std::int16_t>(
            std::clamp(std::lround(speech[i] * 32768.0), -32768L, 32767L));
    }
    return out;
}

Result<std::vector<std::int16_t>> readWavAsSpeech(const std::filesystem::path& path) {
    Result<std::string> bytes = readWholeFile(path);
    if (!bytes) {
        return bytes.error();
    }
    return decodeWavAsSpeech(*bytes);
}

Status writeSpeechWav(const std::filesystem::path& path, const std::vector<std::int16_t>& samples) {
    std::string out = "RIFF";
    std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    put32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1);
    put16(out, 1);
    put32(out, kSpeechSampleRate);
    put32(out, kSpeechSampleRate * 2);
    put16(out, 2);
    put16(out, 16);
    out += "data";
    put32(out, dataBytes);
    for (std::int16_t s : samples) {
        put16(out, static_cast<std::uint16_t>(s));
    }
    return writeFileAtomically(path, out);
}

} // namespace kelvo::speech
