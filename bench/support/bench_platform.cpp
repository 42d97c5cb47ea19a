#include "support/bench_platform.h"

namespace hopwick::bench {

namespace {

class SizedPicture final : public Picture {
public:
    int widthPixels() const override { return 472; }
    int heightPixels() const override { return 191; }
};

} // namespace

int BenchPlatform::messageBox(const std::string&, int style, const std::string&) {
    ++messages;
    return style == kStyleYesNo ? kAnswerYes : kAnswerOk;
}

PictureLoad BenchPlatform::loadPicture(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    return {std::make_shared<SizedPicture>(), {}};
}

} // namespace hopwick::bench
