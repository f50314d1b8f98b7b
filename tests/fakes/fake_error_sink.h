#pragma once

#include "services/error_sink.h"

#include <string>
#include <vector>

namespace kelvo::fakes {

/// Records every reported error in order.
class FakeErrorSink : public ErrorSink {
public:
    struct Report {
        int number;
        std::string description;
        std::string location;
    };

    void reportError(int number, std::string_view description, std::string_view location) override {
        reports.push_back({number, std::string(description), std::string(location)});
    }

    std::vector<Report> reports;
};

} // namespace kelvo::fakes
