#include "platform/atomic_file.h"
#include "platform/speech/sphinx_adaptation_files.h"
#include "platform/speech/sphinx_decoder.h"

#include <pocketsphinx.h>
#include <sphinxbase/cmn.h>
#include <sphinxbase/feat.h>

#include <cstdlib>
#include <unistd.h>

namespace kelvo::speech {
namespace {

// The stream lengths the model's Gaussians have (its subvectors, if any).
std::vector<std::size_t> modelStreams(feat_t* features) {
    std::vector<std::size_t> lengths;
    if (features->n_sv > 0) {
        for (int i = 0; i < features->n_sv; ++i) {
            lengths.push_back(features->sv_len[i]);
        }
    } else {
        for (int i = 0; i < features->n_stream; ++i) {
            lengths.push_back(features->stream_len[i]);
        }
    }
    return lengths;
}

Status applyTransform(ps_decoder_t* decoder, const std::filesystem::path& file) {
    ps_mllr_t* transform = ps_mllr_read(file.c_str());
    if (!transform || !ps_update_mllr(decoder, transform)) {
        return Status::failure(EIO, "the recognizer refused the voice transform " + file.string());
    }
    return {};
}

} // namespace

Status SphinxDecoder::adapt(const VoiceAdaptation& adaptation) {
    feat_t* features = ps_get_feat(m_decoder);
    if (!features || !features->cmn_struct) {
        return Status::failure(EINVAL, "the recognizer has no cepstral means to set");
    }
    std::vector<float> start = adaptation.cmnStart;
    if (start.empty()) {
        const char* own = cmd_ln_str_r(ps_get_config(m_decoder), "-cmninit");
        auto values = parseCmnValues(own ? own : "");
        if (!values) {
            return values.error();
        }
        start = std::move(values).value();
    }
    if (static_cast<int>(start.size()) != features->cmn_struct->veclen) {
        return Status::failure(EINVAL, "the cepstral start values do not fit the model");
    }

    const std::vector<std::size_t> streams = modelStreams(features);
    if (adaptation.mllrFile.empty()) {
        // The library keeps the transform it was given; only a transform
        // that changes nothing undoes an earlier one.
        char name[] = "/tmp/kelvo-identity-XXXXXX";
        const int fd = ::mkstemp(name);
        if (fd < 0) {
            return Status::failure(errno, "cannot make a scratch file");
        }
        ::close(fd);
        Status status = writeFileAtomically(name, identityMllr(streams));
        if (status) {
            status = applyTransform(m_decoder, name);
        }
        ::unlink(name);
        if (!status) {
            return status;
        }
    } else {
        Result<std::string> text = readWholeFile(adaptation.mllrFile);
        if (!text) {
            return text.error();
        }
        Result<std::vector<std::size_t>> lengths = parseMllrStreams(*text);
        if (!lengths) {
            return lengths.error();
        }
        if (*lengths != streams) {
            return Status::failure(EINVAL, "the voice transform was made for another model");
        }
        if (Status applied = applyTransform(m_decoder, adaptation.mllrFile); !applied) {
            return applied;
        }
    }
    std::vector<mfcc_t> vector(start.begin(), start.end());
    cmn_live_set(features->cmn_struct, vector.data());
    return {};
}

} // namespace kelvo::speech
