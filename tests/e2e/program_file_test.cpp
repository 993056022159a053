// What zorv3d.exe carries as a file, read from the laid-out game folder without running it: the
// shell's icon, the version information of the build, and a manifest that leaves Windows to treat
// it as it treats the game.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "driver.h"
#include "resource_ids.h"
#include "version.h"

namespace zorv_e2e {
namespace {

BOOL CALLBACK TakeFirstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR out) {
    *reinterpret_cast<LPSTR*>(out) = name;
    return FALSE;
}

std::string ResourceText(HMODULE module, LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(module, name, type);
    if (!found) return std::string();
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    return bytes ? std::string(bytes, SizeofResource(module, found)) : std::string();
}

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(ProgramFile, CarriesItsIconVersionAndAManifestWithoutExecutionLevel) {
    const std::string program = JoinPath(GameFolder(), kProgramFile);
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    zorv::LoadedModule loaded(module);
    ASSERT_TRUE(module != nullptr) << program;

    LPSTR firstIcon = nullptr;
    EnumResourceNamesA(module, RT_GROUP_ICON, TakeFirstName, reinterpret_cast<LONG_PTR>(&firstIcon));
    EXPECT_TRUE(IS_INTRESOURCE(firstIcon) && reinterpret_cast<ULONG_PTR>(firstIcon) == IDI_APPLICATION_ICON)
        << "the shell shows the first icon group";
    EXPECT_TRUE(LoadImageA(module, MAKEINTRESOURCEA(IDI_APPLICATION_ICON), IMAGE_ICON, 32, 32, 0) != nullptr);

    const std::string manifest = ResourceText(module, MAKEINTRESOURCEA(1), RT_MANIFEST);
    EXPECT_NE(std::string::npos, manifest.find("<assembly")) << manifest;
    EXPECT_EQ(std::string::npos, manifest.find("requestedExecutionLevel")) << manifest;
    EXPECT_EQ(5u, Count(manifest, "<supportedOS ")) << manifest;
    EXPECT_NE(std::string::npos, manifest.find(std::string("version=\"") + ZORV_VERSION_TEXT + ".0\""));
    loaded.reset();

    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(program.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(program.c_str(), 0, size, &block[0]));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(&block[0], "\\", reinterpret_cast<void**>(&fixed), &length) && fixed);
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(ZORV_VERSION_MINOR, ZORV_VERSION_MAJOR)));
    EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, ZORV_VERSION_PATCH)));
    char* text = nullptr;
    ASSERT_TRUE(VerQueryValueA(&block[0], "\\StringFileInfo\\040904b0\\ProductVersion", reinterpret_cast<void**>(&text),
                               &length));
    EXPECT_STREQ(ZORV_VERSION_TEXT, text);
}

}  // namespace
}  // namespace zorv_e2e
