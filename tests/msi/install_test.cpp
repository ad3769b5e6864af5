// The installer, run quietly as an administrator deploys it: what it installs for the user, a
// project opened through the association, upgrades (to another build of the same version and to
// a newer one) that keep the compiler location, a downgrade refused, and an uninstall that
// removes what it installed.

#include <windows.h>
#include <msi.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "driver.h"
#include "ui/resource.h"

namespace {

const char* const kClassKeys[] = {".exc", "Zonewright.Project", "Zonewright.Project\\DefaultIcon",
                                  "Zonewright.Project\\shell\\open\\command"};

// A process started from a command line, ended at the latest when the test leaves it.
struct Process {
    explicit Process(const std::string& commandLine) {
        PROCESS_INFORMATION info = {};
        if (StartProcess(nullptr, commandLine, nullptr, info)) {
            handle = UniqueHandle(info.hProcess);
            thread = UniqueHandle(info.hThread);
            id = info.dwProcessId;
        }
    }
    ~Process() { TerminateProcess(handle.get(), 1); }
    // Waits up to two minutes for it to end; its exit code, or STILL_ACTIVE.
    DWORD ExitCode() const {
        DWORD code = STILL_ACTIVE;
        if (WaitForSingleObject(handle.get(), 120000) == WAIT_OBJECT_0) GetExitCodeProcess(handle.get(), &code);
        return code;
    }

    UniqueHandle handle, thread;
    DWORD id = 0;
};

// A key's default value in the user's own classes, "(none)" when the key is not there.
std::string ClassValue(const std::string& key) {
    char value[1024] = "(none)";
    DWORD size = sizeof value;
    RegGetValueA(HKEY_CURRENT_USER, ("Software\\Classes\\" + key).c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value,
                 &size);
    return value;
}

// The installed products of every version, found by the package's one upgrade code.
std::vector<std::string> InstalledProducts() {
    std::vector<std::string> products;
    char code[39];
    for (DWORD i = 0; MsiEnumRelatedProductsA("{22BA695F-9B94-46B9-BBD3-34725B891FF8}", 0, i, code) == 0; ++i) {
        products.push_back(code);
    }
    return products;
}

std::string ProductInfo(const std::string& product, const char* property) {
    char value[MAX_PATH] = "";
    DWORD size = sizeof value;
    MsiGetProductInfoA(product.c_str(), property, value, &size);
    return value;
}

std::string Installed(const std::string& name) {
    return std::getenv("LOCALAPPDATA") + std::string("\\Programs\\Zonewright\\") + name;
}

class InstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(older_.empty() || rebuilt_.empty() || newer_.empty())
            << "build\\msi-test holds no packages; scripts/test builds them";
        RemoveEverything();
        ASSERT_TRUE(InstalledProducts().empty()) << "an earlier install could not be removed";
    }
    void TearDown() override { RemoveEverything(); }

    // msiexec without a user interface, each run with a log of its own beside the packages.
    DWORD Msiexec(const std::string& action, const std::string& target) const {
        static int runs = 0;
        const std::string log = older_ + "-" + std::to_string(++runs) + ".log";
        return Process("msiexec " + action + " \"" + target + "\" /qn /l*v \"" + log + "\"").ExitCode();
    }
    // Uninstalls whatever version is installed, and deletes what the program wrote beside itself.
    void RemoveEverything() const {
        for (const std::string& product : InstalledProducts()) Msiexec("/x", product);
        for (const char* file : {"ZonewrightV2.ini", "Zonewright.bat"}) DeleteFileA(Installed(file).c_str());
        RemoveDirectoryA(Installed("").c_str());
    }

    const std::string older_ = FindBuildFile("ZONEWRIGHT_MSI", "msi-test\\Zonewright-2.0.msi");
    // Another build of the same version, with a product code of its own.
    const std::string rebuilt_ = FindBuildFile("ZONEWRIGHT_REBUILT_MSI", "msi-test\\rebuilt\\Zonewright-2.0.msi");
    const std::string newer_ = FindBuildFile("ZONEWRIGHT_NEWER_MSI", "msi-test\\Zonewright-2.0.1.msi");
    const std::string shortcut_ =
        std::getenv("APPDATA") + std::string("\\Microsoft\\Windows\\Start Menu\\Programs\\Zonewright.lnk");
};

TEST_F(InstallerTest, InstallsForTheUserOpensProjectsAndUninstalls) {
    ASSERT_EQ(Msiexec("/i", older_), 0u);
    const std::string exe = Installed("Zonewright.exe"), guide = Installed("user-guide.txt");
    for (const std::string& file : {exe, guide, shortcut_}) EXPECT_TRUE(e2e::FileExists(file)) << file;
    const std::string values[] = {"Zonewright.Project", "Zonewright project", "\"" + exe + "\",0",
                                  "\"" + exe + "\" \"%1\""};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(ClassValue(kClassKeys[i]), values[i]) << kClassKeys[i];
    const std::vector<std::string> products = InstalledProducts();
    ASSERT_EQ(products.size(), 1u);
    EXPECT_EQ(ProductInfo(products[0], INSTALLPROPERTY_VERSIONSTRING), "2.0");
    EXPECT_TRUE(e2e::FileExists(ProductInfo(products[0], INSTALLPROPERTY_PRODUCTICON)));

    // Opened as Explorer opens a project: the association's command with the file's path.
    TestFolder projects;
    const std::string project = projects.Path("area.exc");
    ASSERT_TRUE(e2e::WriteFileBytes(project,
                                    "[area]\r\nlatitudemaximum=47.4650\r\nlongitudeminimum=-122.3170\r\n"
                                    "latitudeminimum=47.4300\r\nlongitudemaximum=-122.2980\r\n"));
    std::string command = ClassValue(kClassKeys[3]);
    ASSERT_NE(command.find("%1"), std::string::npos);
    const Process program(command.replace(command.find("%1"), 2, project));
    // No compiler is set yet: the start-up warning comes first.
    ASSERT_TRUE(e2e::CloseMessageBox(e2e::WaitForTopWindow(program.id, "#32770", "ZonewrightV2", kStartMs)));
    const HWND main = e2e::WaitForTopWindow(program.id, "Zonewright", "Zonewright");
    const auto shown = [&] {
        std::string texts;
        for (int id : {IDC_latitudemaximum, IDC_longitudeminimum, IDC_latitudeminimum, IDC_longitudemaximum}) {
            texts += e2e::GetText(GetDlgItem(main, id)) + " ";
        }
        return texts;
    };
    e2e::WaitUntil([&] { return shown() == "47.4650 -122.3170 47.4300 -122.2980 "; });
    EXPECT_EQ(shown(), "47.4650 -122.3170 47.4300 -122.2980 ");
    e2e::PostCommand(main, ID_menuExit);
    ASSERT_EQ(program.ExitCode(), 0u);

    ASSERT_EQ(Msiexec("/x", older_), 0u);
    for (const std::string& file : {exe, guide, shortcut_}) EXPECT_FALSE(e2e::FileExists(file)) << file;
    for (const char* key : kClassKeys) EXPECT_EQ(ClassValue(key), "(none)") << key;
    EXPECT_TRUE(InstalledProducts().empty());
}

// Another build of the same version replaces the installed one as a newer version does: one
// entry among installed programs, whichever was installed before.
TEST_F(InstallerTest, UpgradeKeepsTheCompilerLocationAndADowngradeIsRefused) {
    ASSERT_EQ(Msiexec("/i", older_), 0u);
    const std::vector<std::string> first = InstalledProducts();
    const std::string settings = "[DEFAULT]\r\nBGLCOMP=C:\\FS2004 SDK\\bglcomp.exe\r\n";
    ASSERT_TRUE(e2e::WriteFileBytes(Installed("ZonewrightV2.ini"), settings));
    ASSERT_EQ(Msiexec("/i", rebuilt_), 0u);
    const std::vector<std::string> rebuilt = InstalledProducts();
    ASSERT_EQ(rebuilt.size(), 1u);
    EXPECT_NE(rebuilt, first);
    ASSERT_EQ(Msiexec("/i", newer_), 0u);
    const std::vector<std::string> products = InstalledProducts();
    ASSERT_EQ(products.size(), 1u);
    EXPECT_EQ(ProductInfo(products[0], INSTALLPROPERTY_VERSIONSTRING), "2.0.1");
    EXPECT_TRUE(e2e::FileExists(Installed("Zonewright.exe")));
    EXPECT_EQ(e2e::ReadFileBytes(Installed("ZonewrightV2.ini")), settings);

    // Run with a user interface, as a user would run it, the older package says why it stops.
    const Process older("msiexec /i \"" + older_ + "\" /qb");
    const HWND box = e2e::WaitForTopWindow(older.id, "#32770", "Install Failed", kStartMs);
    EXPECT_EQ(e2e::MessageBoxText(box), "A newer version of Zonewright is already installed.");
    e2e::CloseMessageBox(box);
    EXPECT_EQ(older.ExitCode(), static_cast<DWORD>(ERROR_INSTALL_FAILURE));
    EXPECT_EQ(InstalledProducts(), products);
}

}  // namespace
