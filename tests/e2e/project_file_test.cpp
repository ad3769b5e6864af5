// Project files: File > Save writes the window's coordinates and ticks, File > Open loads them
// back by position and stops quietly at the first unusable value; their dialogs and keys.

#include <windows.h>

#include <algorithm>
#include <array>
#include <map>
#include <ostream>

#include "fixture.h"

namespace {

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

const int kCoordinates[] = {IDC_latitudemaximum, IDC_longitudeminimum, IDC_latitudeminimum, IDC_longitudemaximum};
// The eight object types, then "Delete source after compilation?".
const int kChecks[] = {IDC_Exec_All,      IDC_Exec_Beacon,    IDC_Exec_Effects,   IDC_Exec_GenBuild, IDC_Exec_Library,
                       IDC_Exec_TaxiSigns, IDC_Exec_Triggers, IDC_Exec_Windsocks, IDC_DelSRC};
const int kSingleTypes[] = {IDC_Exec_Beacon,    IDC_Exec_Effects,  IDC_Exec_GenBuild, IDC_Exec_Library,
                            IDC_Exec_TaxiSigns, IDC_Exec_Triggers, IDC_Exec_Windsocks};
const char* const kCoordinateKeys[] = {"latitudemaximum", "longitudeminimum", "latitudeminimum", "longitudemaximum"};
const char* const kExclusionKeys[] = {"Exc_All",     "Exc_Beacon",    "Exc_Effects",  "Exc_GenBuild",
                                      "Exc_Library", "Exc_TaxiSigns", "Exc_Triggers", "Exc_Windsocks"};
const char* const kSourceView = "left as it was";

// What the main window shows of a project.
struct Project {
    std::array<std::string, 4> texts;  // latitude maximum, longitude minimum, latitude minimum, longitude maximum
    std::array<LRESULT, 9> states;     // BST_ values in the order of kChecks
    bool operator==(const Project& other) const { return texts == other.texts && states == other.states; }
    bool operator!=(const Project& other) const { return !(*this == other); }
};

void PrintTo(const Project& project, std::ostream* out) {
    *out << "{";
    for (const std::string& text : project.texts) *out << "\"" << text << "\" ";
    for (LRESULT state : project.states) *out << state;
    *out << "}";
}

// The lines the project file must hold in each section for this window.
std::map<std::string, std::vector<std::string>> SectionsFor(const Project& project) {
    std::map<std::string, std::vector<std::string>> sections;
    for (int i = 0; i < 4; ++i) sections["area"].push_back(std::string(kCoordinateKeys[i]) + "=" + project.texts[i]);
    for (int i = 0; i < 8; ++i) {
        sections["exclusion"].push_back(std::string(kExclusionKeys[i]) + "=" + std::to_string(project.states[i]));
    }
    sections["other"].push_back("DeleteSource=" + std::to_string(project.states[8]));
    return sections;
}

// A file's sections in order, each with its lines that are not blank; the lines before the
// first section come under "".
std::vector<std::pair<std::string, std::vector<std::string>>> ReadSections(const std::string& bytes) {
    std::vector<std::pair<std::string, std::vector<std::string>>> sections;
    for (size_t start = 0; start < bytes.size();) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        const std::string line = bytes.substr(start, end - start);
        start = end + 2;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            sections.emplace_back(line.substr(1, line.size() - 2), std::vector<std::string>{});
        } else if (!line.empty()) {
            if (sections.empty()) sections.emplace_back("", std::vector<std::string>{});
            sections.back().second.push_back(line);
        }
    }
    return sections;
}

std::vector<std::string> SectionNames(const std::vector<std::pair<std::string, std::vector<std::string>>>& sections) {
    std::vector<std::string> names;
    for (const auto& section : sections) names.push_back(section.first);
    return names;
}

std::vector<std::string> Lines(const std::vector<std::pair<std::string, std::vector<std::string>>>& sections,
                               const std::string& name) {
    for (const auto& section : sections) {
        if (section.first == name) return section.second;
    }
    return {"(no section " + name + ")"};
}

class ProjectFileTest : public ZonewrightTest {
protected:
    // The program ends before the folder goes: its file dialogs make their folder its current
    // one, and a folder that is a process's current folder cannot be removed.
    void TearDown() override { program_.reset(); }

    // Where the tests keep their project files, beyond the life of a program.
    TestFolder projects_;

    Project Shown() const {
        Project project;
        for (int i = 0; i < 4; ++i) project.texts[i] = e2e::GetText(Item(kCoordinates[i]));
        for (int i = 0; i < 9; ++i) project.states[i] = e2e::GetCheck(Item(kChecks[i]));
        return project;
    }

    // Types the texts and sets the states from outside; "All objects" is cleared first, so its
    // rule leaves the other types enabled unless it is ticked.
    AssertionResult Show(const Project& project) {
        if (!e2e::SetCheck(Item(IDC_Exec_All), BST_UNCHECKED)) return AssertionFailure() << "could not clear All";
        for (int i = 0; i < 4; ++i) {
            if (AssertionResult typed = Type(kCoordinates[i], project.texts[i]); !typed) return typed;
        }
        for (int i = 0; i < 9; ++i) {
            if (!e2e::SetCheck(Item(kChecks[i]), project.states[i])) return AssertionFailure() << "could not set a box";
        }
        if (Shown() != project) return AssertionFailure() << "the window did not take the project";
        return AssertionSuccess();
    }

    // The seven single types are disabled exactly when "All objects" is ticked.
    AssertionResult RuleApplied() const {
        const bool all = e2e::GetCheck(Item(IDC_Exec_All)) == BST_CHECKED;
        for (int id : kSingleTypes) {
            if ((IsWindowEnabled(Item(id)) != FALSE) == all) {
                return AssertionFailure() << "control " << id << (all ? " is enabled" : " is disabled");
            }
        }
        return AssertionSuccess();
    }

    // Sends the command and answers its file dialog with the file.
    AssertionResult Through(int command, const std::string& file) {
        if (!e2e::PostCommand(main_, command)) return AssertionFailure() << "could not send " << command;
        HWND dialog = nullptr;
        if (AssertionResult opened = AwaitFileDialog(dialog); !opened) return opened;
        return FinishFileDialog(dialog, file, command == ID_menuSave ? Dialog::Save : Dialog::Open);
    }
    AssertionResult SaveProject(const std::string& file) { return Through(ID_menuSave, file); }
    AssertionResult OpenProject(const std::string& file) { return Through(ID_menuOpen, file); }

    // Neither a message nor a change to the source view.
    AssertionResult Quiet() const {
        if (HWND box = program_->FindMessageBox()) return AssertionFailure() << "message: " << e2e::MessageBoxText(box);
        if (e2e::GetText(Item(IDC_txtoutput)) != kSourceView) return AssertionFailure() << "the source view changed";
        return AssertionSuccess();
    }
    AssertionResult FillSourceView() {
        if (!e2e::SetText(Item(IDC_txtoutput), kSourceView)) return AssertionFailure() << "could not fill the view";
        return AssertionSuccess();
    }
};

// The sections a saved file holds, and that they hold what the window showed.
AssertionResult HoldsProject(const std::string& path, const Project& project,
                             const std::vector<std::string>& expectedNames = {"area", "exclusion", "other"}) {
    const std::optional<std::string> bytes = e2e::ReadFileBytes(path);
    if (!bytes) return AssertionFailure() << "cannot read " << path;
    const auto sections = ReadSections(*bytes);
    std::vector<std::string> names = SectionNames(sections);
    std::vector<std::string> sortedNames = names;
    std::sort(sortedNames.begin(), sortedNames.end());
    std::vector<std::string> sortedExpected = expectedNames;
    std::sort(sortedExpected.begin(), sortedExpected.end());
    if (sortedNames != sortedExpected) return AssertionFailure() << "the file holds other sections:\n" << *bytes;
    for (const auto& [name, lines] : SectionsFor(project)) {
        if (Lines(sections, name) != lines) return AssertionFailure() << "section " << name << " differs:\n" << *bytes;
    }
    return AssertionSuccess();
}

TEST_F(ProjectFileTest, SaveWritesTheWindowAndOpenRestoresItExactly) {
    enum class Again { AfterNew, InASecondProgram };
    struct Case {
        const char* name;
        Project project;
        Again again;
    };
    const Case cases[] = {
        {"decimal degrees and a mix of ticks",
         {{"47.5", "-122.5", "47.25", "-122.25"}, {0, 1, 0, 1, 0, 1, 0, 1, 0}},
         Again::AfterNew},
        {"inner blanks, quotes and grey boxes",
         {{"N47 25' 53.4\"", "W122 30' 0.0\"", "S33 52' 10\"", "E151 12' 30.5\""}, {2, 2, 1, 0, 2, 0, 1, 2, 2}},
         Again::InASecondProgram},
        {"all objects ticked, the others as they were",
         {{"1 2 3", "a = b", "[x]", "; y"}, {1, 1, 0, 2, 0, 0, 1, 0, 1}},
         Again::InASecondProgram},
        {"every box clear", {{"0", "0", "0", "0"}, {0, 0, 0, 0, 0, 0, 0, 0, 0}}, Again::AfterNew},
    };
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = projects_.Path("project " + std::to_string(++number) + ".exc");
        ASSERT_TRUE(StartReady());
        ASSERT_TRUE(Show(c.project));
        ASSERT_TRUE(FillSourceView());
        ASSERT_TRUE(SaveProject(file));
        EXPECT_TRUE(Quiet());
        EXPECT_TRUE(HoldsProject(file, c.project));
        // Saving leaves the window as it was.
        EXPECT_EQ(Shown(), c.project);

        if (c.again == Again::AfterNew) {
            ASSERT_TRUE(Command(ID_menuNew));
        } else {
            ASSERT_TRUE(StartReady());
        }
        ASSERT_NE(Shown(), c.project);
        ASSERT_TRUE(FillSourceView());
        ASSERT_TRUE(OpenProject(file));
        EXPECT_EQ(Shown(), c.project);
        EXPECT_TRUE(RuleApplied());
        EXPECT_TRUE(Quiet());
    }
}

TEST_F(ProjectFileTest, OpenLoadsByPositionAndStopsQuietlyAtTheFirstUnusableValue) {
    // Every value of the files below differs from these.
    const Project before = {{"before 1", "before 2", "before 3", "before 4"}, {2, 2, 2, 2, 2, 2, 2, 2, 2}};
    const std::string area =
        "[area]\r\nlatitudemaximum=N1\r\nlongitudeminimum=W2\r\nlatitudeminimum=N3\r\nlongitudemaximum=W4\r\n";
    const std::array<std::string, 4> areaTexts = {"N1", "W2", "N3", "W4"};
    auto exclusion = [](const std::vector<std::string>& values) {
        std::string text = "[exclusion]\r\n";
        for (size_t i = 0; i < values.size(); ++i) text += std::string(kExclusionKeys[i]) + "=" + values[i] + "\r\n";
        return text;
    };
    const std::string allEight = exclusion({"0", "1", "0", "1", "1", "0", "1", "0"});
    const std::string other = "[other]\r\nDeleteSource=0\r\n";
    struct Case {
        const char* name;
        std::string file;
        Project expected;
    };
    const Case cases[] = {
        {"everything", area + allEight + other, {areaTexts, {0, 1, 0, 1, 1, 0, 1, 0, 0}}},
        {"keys in another order and other names: by position",
         "[other]\r\nSomething=1\r\n[exclusion]\r\nExc_Windsocks=1\r\nExc_Triggers=0\r\nExc_TaxiSigns=0\r\n"
         "Exc_Library=1\r\nExc_GenBuild=0\r\nx=1\r\nExc_Beacon=0\r\nExc_All=0\r\n"
         "[area]\r\nlongitudemaximum=first\r\nlatitudeminimum=second\r\nlongitudeminimum=third\r\nlat=fourth\r\n",
         {{"first", "second", "third", "fourth"}, {1, 0, 0, 1, 0, 1, 0, 0, 1}}},
        {"All objects ticked: the others disabled", area + exclusion({"1", "0", "1", "0", "0", "1", "0", "1"}) + other,
         {areaTexts, {1, 0, 1, 0, 0, 1, 0, 1, 0}}},
        {"no area section: nothing", allEight + other, before},
        {"three area lines", "[area]\r\nlatitudemaximum=N1\r\nlongitudeminimum=W2\r\nlatitudeminimum=N3\r\n" + allEight + other,
         {{"N1", "W2", "N3", "before 4"}, before.states}},
        {"no exclusion section", area + other, {areaTexts, before.states}},
        {"three exclusion lines", area + exclusion({"1", "0", "1"}) + other,
         {areaTexts, {1, 0, 1, 2, 2, 2, 2, 2, 2}}},
        {"a word at Effects", area + exclusion({"0", "1", "yes", "1", "1", "0", "1", "0"}) + other,
         {areaTexts, {0, 1, 2, 2, 2, 2, 2, 2, 2}}},
        {"a 5 at Library", area + exclusion({"0", "1", "0", "1", "5", "0", "1", "0"}) + other,
         {areaTexts, {0, 1, 0, 1, 2, 2, 2, 2, 2}}},
        {"a fraction at Taxiway signs", area + exclusion({"0", "1", "0", "1", "1", "1.0", "1", "0"}) + other,
         {areaTexts, {0, 1, 0, 1, 1, 2, 2, 2, 2}}},
        {"a negative number at Beacon", area + exclusion({"1", "-1", "0", "1", "1", "0", "1", "0"}) + other,
         {areaTexts, {1, 2, 2, 2, 2, 2, 2, 2, 2}}},
        {"no value at Windsocks", area + exclusion({"0", "1", "0", "1", "1", "0", "1", ""}) + other,
         {areaTexts, {0, 1, 0, 1, 1, 0, 1, 2, 2}}},
        {"seven exclusion lines", area + exclusion({"0", "1", "0", "1", "1", "0", "1"}) + other,
         {areaTexts, {0, 1, 0, 1, 1, 0, 1, 2, 2}}},
        {"no other section", area + allEight, {areaTexts, {0, 1, 0, 1, 1, 0, 1, 0, 2}}},
        {"a word for Delete source", area + allEight + "[other]\r\nDeleteSource=ticked\r\n",
         {areaTexts, {0, 1, 0, 1, 1, 0, 1, 0, 2}}},
    };
    ASSERT_TRUE(StartReady());
    ASSERT_TRUE(FillSourceView());
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = projects_.Path("case " + std::to_string(++number) + ".exc");
        ASSERT_TRUE(e2e::WriteFileBytes(file, c.file));
        ASSERT_TRUE(Show(before));
        ASSERT_TRUE(OpenProject(file));
        EXPECT_EQ(Shown(), c.expected);
        EXPECT_TRUE(RuleApplied());
        EXPECT_TRUE(Quiet());
        // Opening changes nothing in the file.
        EXPECT_EQ(e2e::ReadFileBytes(file), c.file);
    }
}

TEST_F(ProjectFileTest, SavingOverAFileReplacesItsThreeSectionsAndKeepsTheOthers) {
    const std::string file = projects_.Path("shared.exc");
    ASSERT_TRUE(e2e::WriteFileBytes(file,
                                    "[notes]\r\ntext=keep me\r\nmore=also kept\r\n\r\n[area]\r\nold=1\r\n"
                                    "latitudemaximum=9\r\n\r\n[other]\r\nDeleteSource=2\r\nextra=3\r\n\r\n"
                                    "[tail]\r\nlast=yes\r\n"));
    const Project project = {{"47.5", "-122.5", "47.25", "-122.25"}, {0, 0, 1, 0, 2, 0, 0, 1, 1}};
    ASSERT_TRUE(StartReady());
    ASSERT_TRUE(Show(project));
    ASSERT_TRUE(FillSourceView());
    ASSERT_TRUE(SaveProject(file));
    EXPECT_TRUE(Quiet());
    EXPECT_TRUE(HoldsProject(file, project, {"notes", "area", "other", "tail", "exclusion"}));
    const auto sections = ReadSections(e2e::ReadFileBytes(file).value_or(""));
    EXPECT_EQ(Lines(sections, "notes"), (std::vector<std::string>{"text=keep me", "more=also kept"}));
    EXPECT_EQ(Lines(sections, "tail"), std::vector<std::string>{"last=yes"});
    EXPECT_EQ(SectionNames(sections).front(), "notes");
}

TEST_F(ProjectFileTest, ANameTypedWithoutTheExtensionIsKeptExactly) {
    const Project project = {{"1", "2", "3", "4"}, {0, 1, 0, 0, 0, 0, 0, 0, 1}};
    ASSERT_TRUE(StartReady());
    ASSERT_TRUE(Show(project));
    ASSERT_TRUE(FillSourceView());
    for (const char* name : {"project", "my area.txt"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(SaveProject(projects_.Path(name)));
        EXPECT_TRUE(Quiet());
        EXPECT_TRUE(HoldsProject(projects_.Path(name), project));
    }
    EXPECT_EQ(e2e::FolderEntries(projects_.path()), (std::vector<std::string>{"my area.txt", "project"}));
}

TEST_F(ProjectFileTest, TheDialogsOfferProjectFilesAndCancelChangesNothing) {
    for (const char* name : {"area.xml", "notes.txt", "project.exc"}) {
        ASSERT_TRUE(e2e::WriteFileBytes(projects_.Path(name), "[area]\r\nlatitudemaximum=1\r\n"));
    }
    const Project project = {{"47.5", "-122.5", "47.25", "-122.25"}, {0, 1, 0, 1, 0, 0, 0, 0, 0}};
    ASSERT_TRUE(StartReady());
    ASSERT_TRUE(Show(project));
    ASSERT_TRUE(FillSourceView());
    for (int command : {ID_menuOpen, ID_menuSave}) {
        SCOPED_TRACE(command == ID_menuOpen ? "Open" : "Save");
        ASSERT_TRUE(e2e::PostCommand(main_, command));
        HWND dialog = nullptr;
        ASSERT_TRUE(AwaitFileDialog(dialog));
        EXPECT_FALSE(IsWindowEnabled(main_));
        const std::vector<std::string> types =
            command == ID_menuOpen
                ? std::vector<std::string>{"Zonewright Save Files (*.exc)", "Exclusion XML source (*.xml)"}
                : std::vector<std::string>{"Zonewright Save Files (*.exc)", "Google Earth KML (*.kml)"};
        EXPECT_EQ(e2e::FileTypes(dialog), types);
        // A folder for a name: the dialog shows its project files alone.
        ASSERT_TRUE(e2e::AnswerFileDialog(dialog, projects_.path()));
        EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ListedFiles(dialog) == 1; })) << e2e::ListedFiles(dialog);
        ASSERT_TRUE(CancelFileDialog(dialog));
        EXPECT_TRUE(IsWindowEnabled(main_));
        EXPECT_EQ(Shown(), project);
        EXPECT_TRUE(Quiet());
        EXPECT_EQ(e2e::FolderEntries(projects_.path()),
                  (std::vector<std::string>{"area.xml", "notes.txt", "project.exc"}));
        EXPECT_EQ(e2e::ReadFileBytes(projects_.Path("project.exc")), "[area]\r\nlatitudemaximum=1\r\n");
    }
}

TEST_F(ProjectFileTest, ASaveThatFailsIsReported) {
    const std::string file = projects_.Path("locked.exc");
    const std::string before = "[area]\r\nlatitudemaximum=1\r\n";
    ASSERT_TRUE(e2e::WriteFileBytes(file, before));
    const Project project = {{"47.5", "-122.5", "47.25", "-122.25"}, {0, 1, 0, 0, 0, 0, 0, 0, 1}};
    ASSERT_TRUE(StartReady());
    ASSERT_TRUE(Show(project));
    ASSERT_TRUE(FillSourceView());
    {
        // Held open without sharing: the file can be neither read nor written.
        UniqueHandle lock(CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(lock);
        ASSERT_TRUE(SaveProject(file));
        HWND box = program_->WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(GetWindow(box, GW_OWNER), main_);
        // Told by its pixels, once it is drawn.
        std::string icon;
        EXPECT_TRUE(e2e::WaitUntil([&] { return (icon = e2e::MessageBoxIcon(box)) == "exclamation"; })) << icon;
        const std::string text = e2e::MessageBoxText(box);
        const std::string opening = "The project could not be saved completely to \"" + file + "\".";
        EXPECT_EQ(text.substr(0, opening.size()), opening) << text;
        // Then the system's reason for the failed write.
        const std::vector<std::string> reasons = e2e::ReasonsTheFileIsLocked(file, before);
        ASSERT_FALSE(reasons.empty());
        std::string rest = text.substr(std::min(text.size(), opening.size()));
        rest.erase(0, rest.find_first_not_of("\r\n"));
        rest.erase(rest.find_last_not_of("\r\n") + 1);
        EXPECT_EQ(rest, reasons[0]) << text;
        ASSERT_TRUE(e2e::CloseMessageBox(box));
        // One report for the three sections.
        ASSERT_TRUE(Settle());
        EXPECT_EQ(program_->FindMessageBox(), nullptr);
    }
    EXPECT_EQ(e2e::ReadFileBytes(file), before);
    EXPECT_EQ(Shown(), project);
    EXPECT_TRUE(IsWindowEnabled(main_));

    // Once the file is free again, saving there works.
    ASSERT_TRUE(SaveProject(file));
    EXPECT_TRUE(Quiet());
    EXPECT_TRUE(HoldsProject(file, project));
}

TEST_F(ProjectFileTest, CtrlOAndCtrlSWorkAsTheMenu) {
    struct Way {
        const char* name;
        bool save;
        bool (*press)(HWND main);
    };
    const Way ways[] = {
        {"File > Save", true, [](HWND main) { return e2e::PostCommand(main, ID_menuSave); }},
        {"Ctrl+S", true, [](HWND main) { return e2e::PressKeys(main, {VK_CONTROL, 'S'}); }},
        {"File > Open", false, [](HWND main) { return e2e::PostCommand(main, ID_menuOpen); }},
        {"Ctrl+O", false, [](HWND main) { return e2e::PressKeys(main, {VK_CONTROL, 'O'}); }},
    };
    const Project shown = {{"47.5", "-122.5", "47.25", "-122.25"}, {0, 1, 0, 0, 1, 0, 0, 0, 1}};
    const Project stored = {{"N1", "W2", "N3", "W4"}, {0, 0, 1, 2, 0, 0, 1, 0, 0}};
    const std::string source = projects_.Path("stored.exc");
    std::string text;
    for (const auto& [name, lines] : SectionsFor(stored)) {
        text += "[" + name + "]\r\n";
        for (const std::string& line : lines) text += line + "\r\n";
    }
    ASSERT_TRUE(e2e::WriteFileBytes(source, text));

    ASSERT_TRUE(StartReady());
    ASSERT_TRUE(FillSourceView());
    int number = 0;
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        ASSERT_TRUE(Show(shown));
        ASSERT_TRUE(way.press(main_));
        HWND dialog = nullptr;
        ASSERT_TRUE(AwaitFileDialog(dialog));
        if (way.save) {
            const std::string file = projects_.Path("saved " + std::to_string(++number) + ".exc");
            ASSERT_TRUE(FinishFileDialog(dialog, file, Dialog::Save));
            EXPECT_TRUE(HoldsProject(file, shown));
            EXPECT_EQ(Shown(), shown);
        } else {
            ASSERT_TRUE(FinishFileDialog(dialog, source, Dialog::Open));
            EXPECT_EQ(Shown(), stored);
        }
        EXPECT_TRUE(Quiet());
    }
}

}  // namespace

namespace {

TEST_F(ProjectFileTest, SeveralAreasMakeOneDocumentAndComeBackFromTheProject) {
    ASSERT_TRUE(StartReady());
    const int boxes[] = {IDC_latitudemaximum, IDC_longitudeminimum, IDC_latitudeminimum, IDC_longitudemaximum};
    auto typeArea = [&](std::initializer_list<const char*> texts) {
        int i = 0;
        for (const char* text : texts) ASSERT_TRUE(Type(boxes[i++], text));
    };
    ASSERT_TRUE(FillWindsocksArea());
    ASSERT_TRUE(ClickItem(IDC_cmdAddArea));  // the new area takes Windsocks from the first
    typeArea({"47.25", "-122.5", "47.5", "-122.25"});
    ASSERT_TRUE(ClickItem(IDC_Exec_Windsocks));
    ASSERT_TRUE(ClickItem(IDC_Exec_All));
    ASSERT_TRUE(ClickItem(IDC_cmdAddArea));
    typeArea({"47.5", "-122.25", "47.25", "-122.5"});
    ASSERT_TRUE(ClickItem(IDC_Exec_All));
    ASSERT_TRUE(ClickItem(IDC_Exec_Beacon));
    ASSERT_TRUE(ClickItem(IDC_generate));
    EXPECT_TRUE(ExpectMessages({kThreeAreasWarning}));
    EXPECT_EQ(e2e::GetText(Item(IDC_txtoutput)), kThreeAreasDocument);
    // The third as typed reaches eastward around the world.
    const std::vector<std::string> lines = {"1\t18.8 \xD7 27.8 km\twindsocks", "2\t18.8 \xD7 27.8 km\tall objects",
                                            "3\t27089.5 \xD7 27.8 km\tbeacons"};
    EXPECT_EQ(e2e::ListBoxLines(Item(IDC_lstAreas)), lines);

    // Saved over an XML source of one area, the file becomes the project alone.
    const std::string file = projects_.Path("three.exc");
    ASSERT_TRUE(e2e::WriteFileBytes(file, "<FSData><ExclusionRectangle latitudeMaximum=\"1\"/></FSData>\r\n"));
    ASSERT_TRUE(SaveProject(file));
    ASSERT_TRUE(Command(ID_menuNew));
    EXPECT_EQ(e2e::ListBoxLines(Item(IDC_lstAreas)), (std::vector<std::string>{"1\tnot placed\tno types"}));
    ASSERT_TRUE(OpenProject(file));
    EXPECT_EQ(e2e::ListBoxLines(Item(IDC_lstAreas)), lines);
    EXPECT_EQ(e2e::GetText(Item(IDC_latitudemaximum)), "47.5");
    ASSERT_TRUE(ClickItem(IDC_generate));
    EXPECT_TRUE(ExpectMessages({kThreeAreasWarning}));
    EXPECT_EQ(e2e::GetText(Item(IDC_txtoutput)), kThreeAreasDocument);

    // The second goes, after a question, and the third takes its place and its number.
    // A click on the second line.
    const LPARAM secondLine = MAKELPARAM(20, SendMessageA(Item(IDC_lstAreas), LB_GETITEMHEIGHT, 0, 0) * 3 / 2);
    ASSERT_TRUE(PostMessageA(Item(IDC_lstAreas), WM_LBUTTONDOWN, MK_LBUTTON, secondLine));
    ASSERT_TRUE(PostMessageA(Item(IDC_lstAreas), WM_LBUTTONUP, 0, secondLine));
    ASSERT_TRUE(Settle());
    EXPECT_EQ(e2e::GetText(Item(IDC_latitudemaximum)), "47.25");
    ASSERT_TRUE(e2e::PostCommand(main_, IDC_cmdRemoveArea));
    HWND question = program_->WaitForMessageBox();
    EXPECT_EQ(e2e::MessageBoxText(question), "Remove area 2? Its corners are lost.");
    ASSERT_TRUE(e2e::AnswerYes(question));
    ASSERT_TRUE(Settle());
    EXPECT_EQ(e2e::ListBoxLines(Item(IDC_lstAreas)),
              (std::vector<std::string>{lines[0], "2\t27089.5 \xD7 27.8 km\tbeacons"}));
    EXPECT_EQ(e2e::GetText(Item(IDC_longitudeminimum)), "-122.25");
}

}  // namespace

namespace {

// File > Open of XML sources: each a file's bytes, the lines the area list then shows (none: the
// document stays as it was), the message that follows, and the northwest latitude of area 1.
TEST_F(ProjectFileTest, OpenTakesEveryRectangleOfAnXmlSourceAndSaysWhatItLeavesOut) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
        std::string message;  // after the file's path
        std::string northwest;
    };
    const std::string rectangle = "<ExclusionRectangle latitudeMaximum='47.5' longitudeMinimum=\"-122.5\" ";
    const Case cases[] = {
        {"written by hand",
         "<?xml version=\"1.0\"?>\r\n<!-- three areas -->\r\n<FSData version=\"9.0\">\r\n" + rectangle +
             "latitudeMinimum=\"47.25\" longitudeMaximum=\"-122.25\" excludeAllObjects=\" yes \"/>\r\n"
             "<SceneryObject lat=\"1\"><LibraryObject/></SceneryObject>\r\n" +
             rectangle + "latitudeMinimum=\"47.25\" longitudeMaximum=\"-122.25\" excludeLibraryObjects=\"true\" "
                         "excludeExtrusionBridgeObjects=\"TRUE\"/>\r\n" +
             "<ExclusionRectangle latitudeMaximum=\"N47&#176; 30&apos;\" longitudeMinimum=\"-122.5\" "
             "latitudeMinimum=\"47.25\" excludeWindsockObjects=\"TRUE\"/>\r\n</FSData>\r\n",
         {"1\t18.8 \xD7 27.8 km\tall objects", "2\t18.8 \xD7 27.8 km\tlibrary", "3\tnot placed\twindsocks"},
         "\" was opened as 3 areas. Zonewright does not keep what follows, and the next Generate will not write "
         "it:\r\n\r\n1 SceneryObject\r\nthe attribute excludeExtrusionBridgeObjects, in 1 area\r\narea 3: no "
         "longitudeMaximum (the southeast longitude)\r\n\r\nThe file itself is unchanged.",
         "47.5"},
        {"UTF-8 with a byte-order mark and a degree sign",
         "\xEF\xBB\xBF<FSData>" + rectangle + "latitudeMinimum=\"N47\xC2\xB0 15'\" longitudeMaximum=\"-122.25\" " +
             "excludeBeaconObjects=\"TRUE\"/></FSData>",
         {"1\t18.8 \xD7 27.8 km\tbeacons"}, "", "47.5"},
        {"no rectangle", "<FSData><SceneryObject/></FSData>", {}, "\" holds no exclusion area", ""},
        {"not well-formed", "<FSData><ExclusionRectangle latitudeMaximum=\"1\"></FSData>", {},
         "\" could not be read: it is not well-formed XML", ""},
        {"no XML at all", "latitude 47.5, longitude -122.5", {}, "", ""},
    };
    ASSERT_TRUE(StartReady());
    ASSERT_TRUE(FillWindsocksArea());
    ASSERT_TRUE(ClickItem(IDC_cmdAddArea));
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::string> before = e2e::ListBoxLines(Item(IDC_lstAreas));
        const std::string file = projects_.Path("source " + std::to_string(++number) + ".xml");
        ASSERT_TRUE(e2e::WriteFileBytes(file, c.bytes));
        ASSERT_TRUE(FillSourceView());
        ASSERT_TRUE(OpenProject(file));
        if (!c.message.empty()) {
            HWND box = program_->WaitForMessageBox();
            ASSERT_NE(box, nullptr);
            const std::string text = e2e::MessageBoxText(box);
            const std::string expected = "The XML source \"" + file + c.message;
            EXPECT_EQ(text.substr(0, c.lines.empty() ? expected.size() : std::string::npos), expected);
            ASSERT_TRUE(e2e::CloseMessageBox(box));
            ASSERT_TRUE(Settle());
        }
        EXPECT_EQ(program_->FindMessageBox(), nullptr);
        EXPECT_EQ(e2e::ListBoxLines(Item(IDC_lstAreas)), c.lines.empty() ? before : c.lines);
        EXPECT_EQ(e2e::GetText(Item(IDC_txtoutput)), c.lines.empty() ? kSourceView : "");
        if (!c.lines.empty()) {
            EXPECT_EQ(e2e::GetText(Item(IDC_latitudemaximum)), c.northwest);
        }
        EXPECT_EQ(e2e::ReadFileBytes(file), c.bytes);
    }
    EXPECT_EQ(e2e::GetText(Item(IDC_latitudeminimum)), "N47\xB0 15'") << "in the ANSI code page";
    EXPECT_EQ(e2e::GetCheck(Item(IDC_DelSRC)), BST_UNCHECKED) << "a source opened from its file is kept";

    // A source Zonewright wrote opens as its areas, and Generate writes it again byte for byte.
    const std::string own = projects_.Path("own.xml");
    ASSERT_TRUE(e2e::WriteFileBytes(own, std::string(kThreeAreasDocument) + "\r\n"));
    ASSERT_TRUE(OpenProject(own));
    ASSERT_TRUE(ClickItem(IDC_generate));
    EXPECT_TRUE(ExpectMessages({kThreeAreasWarning}));
    EXPECT_EQ(e2e::GetText(Item(IDC_txtoutput)), kThreeAreasDocument);
}

}  // namespace
