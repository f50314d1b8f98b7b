#include "platform/speech/sphinx_adaptation_files.h"

#include "platform/atomic_file.h"
#include "platform/speech/voice_adaptation.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <sstream>

namespace kelvo::speech {
namespace {

constexpr int kDamaged = EILSEQ;

Status damaged(const std::string& what) {
    return Status::failure(kDamaged, what);
}

std::uint32_t swapped(std::uint32_t v) {
    return (v >> 24) | ((v >> 8) & 0xff00U) | ((v << 8) & 0xff0000U) | (v << 24);
}

// Reads the little- or big-endian integers and bytes of a model file.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}
    void setSwap(bool swap) { m_swap = swap; }
    bool integer(std::int32_t& value) {
        if (m_bytes.size() - m_at < 4) {
            return false;
        }
        std::uint32_t raw = 0;
        std::memcpy(&raw, m_bytes.data() + m_at, 4);
        m_at += 4;
        value = static_cast<std::int32_t>(m_swap ? swapped(raw) : raw);
        return true;
    }
    bool bytes(std::size_t count, std::string_view& out) {
        if (m_bytes.size() - m_at < count) {
            return false;
        }
        out = m_bytes.substr(m_at, count);
        m_at += count;
        return true;
    }
    std::size_t left() const { return m_bytes.size() - m_at; }

private:
    std::string_view m_bytes;
    std::size_t m_at = 0;
    bool m_swap = false;
};

void appendInteger(std::string& out, std::uint32_t value) {
    out.append(reinterpret_cast<const char*>(&value), 4);
}

} // namespace

Status writeMixtureWeightsFromSendump(const std::filesystem::path& sendump,
                                      const std::filesystem::path& mixtureWeights) {
    Result<std::string> file = readWholeFile(sendump);
    if (!file) {
        return file.error();
    }
    ByteReader in(*file);
    std::int32_t length = 0;
    if (!in.integer(length)) {
        return damaged(sendump.string() + " is empty");
    }
    if (length < 1 || length > 999) {
        in.setSwap(true);
        length = static_cast<std::int32_t>(swapped(static_cast<std::uint32_t>(length)));
    }
    long features = 1, densities = 0, senones = 0, clusters = 0, shift = 10;
    // The title, then "name value" header strings up to an empty one.
    for (bool title = true;; title = false) {
        if (!title && !in.integer(length)) {
            return damaged(sendump.string() + " has no end of header");
        }
        if (length == 0) {
            break;
        }
        std::string_view text;
        if (length < 0 || !in.bytes(static_cast<std::size_t>(length), text)) {
            return damaged(sendump.string() + " has a broken header");
        }
        std::string line(text.substr(0, text.find('\0')));
        std::istringstream words(line);
        std::string name;
        long value = 0;
        if (words >> name >> value) {
            if (name == "feature_count") {
                features = value;
            } else if (name == "mixture_count") {
                densities = value;
            } else if (name == "model_count") {
                senones = value;
            } else if (name == "cluster_count") {
                clusters = value;
            } else if (name == "mixw_shift") {
                shift = value;
            }
        }
    }
    if (clusters != 0) {
        return damaged(sendump.string() + " holds clustered weights, which cannot be expanded");
    }
    std::int32_t rows = 0, columns = 0;
    if (!in.integer(rows) || !in.integer(columns)) {
        return damaged(sendump.string() + " has no table size");
    }
    densities = rows;
    senones = columns;
    if (features < 1 || features > 8 || densities < 1 || densities > 4096 || senones < 1 ||
        senones > 1000000 || shift < 0 || shift > 20 ||
        in.left() < static_cast<std::size_t>(features * densities * senones)) {
        return damaged(sendump.string() + " has an impossible table size");
    }
    // Stored as [feature][density][senone] bytes of -log(w) in steps of
    // 1.0001^(2^shift); the tools want [senone][feature][density] floats.
    const auto f = static_cast<std::size_t>(features);
    const auto d = static_cast<std::size_t>(densities);
    const auto s = static_cast<std::size_t>(senones);
    std::vector<float> weights(s * f * d);
    const double step = std::log(1.0001) * std::ldexp(1.0, static_cast<int>(shift));
    for (std::size_t feature = 0; feature < f; ++feature) {
        for (std::size_t density = 0; density < d; ++density) {
            std::string_view row;
            (void)in.bytes(s, row);
            for (std::size_t senone = 0; senone < s; ++senone) {
                const auto quantised = static_cast<unsigned char>(row[senone]);
                weights[(senone * f + feature) * d + density] =
                    static_cast<float>(std::exp(-step * quantised));
            }
        }
    }
    for (std::size_t i = 0; i < s * f; ++i) {
        double total = 0.0;
        for (std::size_t density = 0; density < d; ++density) {
            total += weights[i * d + density];
        }
        for (std::size_t density = 0; density < d; ++density) {
            weights[i * d + density] = static_cast<float>(weights[i * d + density] / total);
        }
    }
    // The tools' binary format: text header, byte-order mark, sizes, data.
    std::string out = "s3\nversion 1.0\n";
    const std::size_t pad = (4 - (out.size() + 7) % 4) % 4;
    out += std::string(pad, ' ') + "endhdr\n";
    appendInteger(out, 0x11223344U);
    for (std::size_t size : {s, f, d, s * f * d}) {
        appendInteger(out, static_cast<std::uint32_t>(size));
    }
    out.append(reinterpret_cast<const char*>(weights.data()), weights.size() * sizeof(float));
    return writeFileAtomically(mixtureWeights, out);
}

Result<std::vector<float>> cepstralMean(const std::vector<std::filesystem::path>& mfcFiles) {
    std::vector<double> sum(kCepstrumLength, 0.0);
    std::size_t frames = 0;
    for (const auto& path : mfcFiles) {
        Result<std::string> file = readWholeFile(path);
        if (!file) {
            return file.error();
        }
        ByteReader in(*file);
        std::int32_t count = 0;
        if (!in.integer(count)) {
            return damaged(path.string() + " is empty");
        }
        // The count says which byte order the file has.
        const bool swap = static_cast<std::size_t>(count) * 4 + 4 != file->size();
        if (swap) {
            count = static_cast<std::int32_t>(swapped(static_cast<std::uint32_t>(count)));
            if (static_cast<std::size_t>(count) * 4 + 4 != file->size()) {
                return damaged(path.string() + " is not a cepstrum file");
            }
        }
        const std::size_t n = static_cast<std::size_t>(count) / kCepstrumLength;
        for (std::size_t frame = 0; frame < n; ++frame) {
            for (std::size_t c = 0; c < kCepstrumLength; ++c) {
                std::uint32_t raw = 0;
                std::memcpy(&raw, file->data() + 4 + (frame * kCepstrumLength + c) * 4, 4);
                if (swap) {
                    raw = swapped(raw);
                }
                float value = 0;
                std::memcpy(&value, &raw, 4);
                sum[c] += value;
            }
        }
        frames += n;
    }
    if (frames == 0) {
        return damaged("no sound to measure");
    }
    std::vector<float> mean;
    for (double total : sum) {
        mean.push_back(static_cast<float>(total / static_cast<double>(frames)));
    }
    return mean;
}

Result<std::vector<std::size_t>> parseMllrStreams(std::string_view text) {
    std::istringstream in{std::string(text)};
    long classes = 0, streams = 0;
    if (!(in >> classes >> streams) || classes < 1 || classes > 64 || streams < 1 || streams > 8) {
        return damaged("the voice transform has no valid size");
    }
    std::vector<std::size_t> lengths;
    for (long stream = 0; stream < streams; ++stream) {
        long length = 0;
        if (!(in >> length) || length < 1 || length > 128) {
            return damaged("the voice transform has a bad stream length");
        }
        lengths.push_back(static_cast<std::size_t>(length));
        const long values = classes * (length * length + 2 * length);
        for (long i = 0; i < values; ++i) {
            double value = 0;
            if (!(in >> value) || !std::isfinite(value)) {
                return damaged("the voice transform is cut short or holds no number");
            }
        }
    }
    std::string rest;
    if (in >> rest) {
        return damaged("the voice transform has trailing text");
    }
    return lengths;
}

std::string identityMllr(const std::vector<std::size_t>& streams) {
    std::ostringstream out;
    out << "1\n" << streams.size() << "\n";
    for (std::size_t length : streams) {
        out << length << "\n";
        for (std::size_t row = 0; row < length; ++row) {
            for (std::size_t column = 0; column < length; ++column) {
                out << (row == column ? "1.0 " : "0.0 ");
            }
            out << "\n";
        }
        for (std::size_t i = 0; i < length; ++i) {
            out << "0.0 ";
        }
        out << "\n";
        for (std::size_t i = 0; i < length; ++i) {
            out << "1.0 ";
        }
        out << "\n";
    }
    return out.str();
}

Result<std::vector<float>> parseCmnValues(std::string_view text) {
    std::vector<float> values;
    std::string item;
    std::istringstream in{std::string(text)};
    while (std::getline(in, item, ',')) {
        char* end = nullptr;
        const float value = std::strtof(item.c_str(), &end);
        while (end && (*end == ' ' || *end == '\n' || *end == '\r')) {
            ++end;
        }
        if (end == item.c_str() || (end && *end != '\0') || !std::isfinite(value)) {
            return damaged("the cepstral start values hold \"" + item + "\"");
        }
        values.push_back(value);
    }
    if (values.size() != kCepstrumLength) {
        return damaged("the cepstral start values are not " + std::to_string(kCepstrumLength));
    }
    return values;
}

std::string formatCmnValues(const std::vector<float>& values) {
    std::string text;
    char number[32];
    for (float value : values) {
        std::snprintf(number, sizeof number, "%.2f", static_cast<double>(value));
        text += (text.empty() ? "" : ",") + std::string(number);
    }
    return text;
}

std::string profileMicrophone(const std::filesystem::path& profileFolder) {
    // No folder is no profile: never a file of the working folder.
    if (profileFolder.empty()) {
        return {};
    }
    Result<std::string> text = readWholeFile(profileFolder / "microphone");
    if (!text) {
        return {};
    }
    std::string name = text->substr(0, text->find('\n'));
    // A source name is one printable word.
    for (char c : name) {
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7f) {
            return {};
        }
    }
    return name;
}

Status saveProfileMicrophone(const std::filesystem::path& profileFolder,
                             const std::string& source) {
    if (profileFolder.empty()) {
        return Status::failure(ENOENT, "the profile keeps no files");
    }
    if (source.empty()) {
        std::error_code ignored;
        std::filesystem::remove(profileFolder / "microphone", ignored);
        return {};
    }
    return writeFileAtomically(profileFolder / "microphone", source + "\n");
}

std::filesystem::path adaptationFolder(const std::filesystem::path& profileFolder) {
    return profileFolder / "adaptation";
}

Result<VoiceAdaptation> readVoiceAdaptation(const std::filesystem::path& profileFolder) {
    VoiceAdaptation adaptation;
    if (profileFolder.empty()) {
        return adaptation;
    }
    const std::filesystem::path folder = adaptationFolder(profileFolder);
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        return adaptation;
    }
    Result<std::string> cmn = readWholeFile(folder / kCmnStartFile);
    if (!cmn) {
        return damaged("the voice profile's adaptation has no cepstral start values");
    }
    Result<std::vector<float>> values = parseCmnValues(*cmn);
    if (!values) {
        return values.error();
    }
    adaptation.cmnStart = std::move(values).value();
    if (std::filesystem::exists(folder / kMllrFile, error)) {
        Result<std::string> mllr = readWholeFile(folder / kMllrFile);
        if (!mllr) {
            return mllr.error();
        }
        if (Result<std::vector<std::size_t>> streams = parseMllrStreams(*mllr); !streams) {
            return streams.error();
        }
        adaptation.mllrFile = folder / kMllrFile;
    }
    return adaptation;
}

} // namespace kelvo::speech
