#include "support/full_store.h"

#include "app/main_form.h"
#include "support/bench_platform.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace hopwick::bench {

namespace {

constexpr std::array<const char*, 8> kSections = {"営業部", "総務部", "経理部",     "開発部",
                                                  "企画室", "人事部", "品質管理課", "情報システム課"};
constexpr std::array<const char*, 5> kKinds = {"会議録と報告書", "見積書・請求書", "設計資料と仕様書", "写真と図面",
                                               "各種申請書類"};

constexpr int kPictureWidth = 464; // 6960 × 2865 twips at 15 twips a pixel
constexpr int kPictureHeight = 191;

void put16(std::ofstream& out, std::uint16_t value) {
    const char bytes[] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
    out.write(bytes, sizeof bytes);
}

void put32(std::ofstream& out, std::uint32_t value) {
    put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

} // namespace

std::vector<std::string> fullStoreItems(const std::string& folder) {
    std::vector<std::string> items;
    for (int i = 0; i < 40; ++i) {
        const auto section = kSections[static_cast<std::size_t>(i) % kSections.size()];
        const auto kind = kKinds[static_cast<std::size_t>(i) % kKinds.size()];
        items.push_back(folder + "/ドキュメント/業務資料/二〇二四年度/" + section + "/" + kind + "/第" +
                        std::to_string(i + 1) + "回_定例会議の議事録と配布資料（最終版）.txt");
    }
    return items;
}

void saveStore(const std::string& programFolder, const std::vector<std::string>& items,
               const std::string& picturePath) {
    BenchPlatform platform(programFolder);
    MainForm form(platform);
    for (const std::string& item : items) {
        form.List1.AddItem(item);
    }
    form.PicturePath = picturePath;
    form.SI();
    if (!platform.messages.empty()) {
        throw std::runtime_error("the store could not be written");
    }
}

void writeBackgroundPicture(const std::string& path) {
    const std::uint32_t rowBytes = (kPictureWidth * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = rowBytes * kPictureHeight;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write("BM", 2);
    put32(out, 54 + pixelBytes);
    put32(out, 0);
    put32(out, 54); // pixels after the two headers
    put32(out, 40);
    put32(out, kPictureWidth);
    put32(out, kPictureHeight);
    put16(out, 1);
    put16(out, 24);
    put32(out, 0); // no compression
    put32(out, pixelBytes);
    put32(out, 3780); // 96 dots per inch
    put32(out, 3780);
    put32(out, 0);
    put32(out, 0);
    std::string row(rowBytes, '\0');
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            // A soft gradient, so that the picture is no flat colour that a decoder could shortcut.
            row[static_cast<std::size_t>(x) * 3] = static_cast<char>(160 + x * 80 / kPictureWidth);
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<char>(200 + y * 50 / kPictureHeight);
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<char>(230 - (x + y) % 24);
        }
        out.write(row.data(), static_cast<std::streamsize>(row.size()));
    }
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

} // namespace hopwick::bench
