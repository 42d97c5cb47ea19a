#include "hopwick_version.h"
#include "platform/win32/resource_ids.h"
#include "platform/windows/wide_text.h"
#include "win32_test_support.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace hopwick::win32 {
namespace {

// The program as Explorer sees it: the one that HOPWICK_TESTED_PROGRAM names (a released copy), else the one
// built beside the tests.
std::wstring programPath() {
    wchar_t named[MAX_PATH] = {};
    if (const DWORD length = GetEnvironmentVariableW(L"HOPWICK_TESTED_PROGRAM", named, MAX_PATH);
        length > 0 && length < MAX_PATH) {
        return named;
    }
    return widen(testProgramFolder()) + L"\\..\\..\\src\\platform\\win32\\hopwick.exe";
}

// One text of the version resource's Japanese, Unicode block, as Explorer's Details reads it.
std::wstring versionText(const std::vector<char>& info, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
    if (!VerQueryValueW(info.data(), path.c_str(), &value, &length) || length == 0) {
        return L"(none)";
    }
    return std::wstring(static_cast<const wchar_t*>(value), length - 1);
}

TEST(ProgramResourcesTest, TheVersionResourceNamesTheProductItsDescriptionAndVersion) {
    DWORD unused = 0;
    const DWORD size = GetFileVersionInfoSizeW(programPath().c_str(), &unused);
    ASSERT_NE(size, 0u) << GetLastError();
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(programPath().c_str(), 0, size, info.data()));

    EXPECT_EQ(versionText(info, L"ProductName"), L"Hopwick");
    EXPECT_EQ(versionText(info, L"FileDescription"), L"ｺﾝﾊﾟｸﾄ な ｱﾌﾟﾘｹｰｼｮﾝ ﾗﾝﾁｬｰ");
    EXPECT_EQ(versionText(info, L"FileVersion"), HOPWICK_VERSION_TEXT);
    EXPECT_EQ(versionText(info, L"ProductVersion"), HOPWICK_VERSION_TEXT);
    EXPECT_EQ(versionText(info, L"OriginalFilename"), L"hopwick.exe");

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, VS_FFI_SIGNATURE);
    constexpr WORD kVersion[] = {HOPWICK_VERSION_NUMBERS}; // major, minor, patch, build
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(kVersion[1], kVersion[0])));
    EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(kVersion[3], kVersion[2])));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

#pragma pack(push, 2)
// The icon group's directory as the resource holds it.
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colors;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(ProgramResourcesTest, TheIconHasImagesOf16To256PixelsThatTheSystemDraws) {
    const HMODULE program =
        LoadLibraryExW(programPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(program, nullptr) << GetLastError();
    const HRSRC group = FindResourceW(program, MAKEINTRESOURCEW(HOPWICK_ICON), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    const auto* directory = static_cast<const WORD*>(LockResource(LoadResource(program, group)));
    ASSERT_NE(directory, nullptr);
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(directory + 3);

    std::set<int> sizes;
    for (WORD i = 0; i < directory[2]; ++i) {
        const int size = entries[i].width == 0 ? 256 : entries[i].width;
        sizes.insert(size);
        // Each image is one the system can make an icon of, at its own size.
        const HRSRC image = FindResourceW(program, MAKEINTRESOURCEW(entries[i].id), RT_ICON);
        ASSERT_NE(image, nullptr) << size;
        const HICON icon = CreateIconFromResourceEx(static_cast<BYTE*>(LockResource(LoadResource(program, image))),
                                                    SizeofResource(program, image), TRUE, 0x00030000, size, size, 0);
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO parts{};
        ASSERT_TRUE(GetIconInfo(icon, &parts));
        BITMAP mask{};
        GetObjectW(parts.hbmMask, sizeof mask, &mask);
        EXPECT_EQ(mask.bmWidth, size);
        DeleteObject(parts.hbmColor);
        DeleteObject(parts.hbmMask);
        DestroyIcon(icon);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 256}));
    FreeLibrary(program);
}

// Windows 10 and later then take paths of any length without "\\?\", also in the calls of the system's own dialogs.
TEST(ProgramResourcesTest, TheManifestDeclaresPathsOfAnyLength) {
    const HMODULE program =
        LoadLibraryExW(programPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(program, nullptr) << GetLastError();
    const HRSRC manifest = FindResourceW(program, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(manifest, nullptr);
    const std::string text(static_cast<const char*>(LockResource(LoadResource(program, manifest))),
                           SizeofResource(program, manifest));
    EXPECT_NE(text.find("<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true"
                        "</longPathAware>"),
              std::string::npos)
        << text;
    FreeLibrary(program);
}

} // namespace
} // namespace hopwick::win32
