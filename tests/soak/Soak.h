#pragma once
// A soak run: the real sheet list and duplication windows on Qt with the real Calc server,
// driven at random through a user's gestures, and after every action compared with what the
// offices of the run really hold (OfficeJudge). A fault is printed with the seed and the last
// actions when it is first seen; the run goes on, and fails at its end.

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "excel/AutomationServer.h"
#include "platform/qt/QtForm.h"
#include "qt/QtControlSet.h"
#include "soak/ActionLog.h"
#include "soak/OfficeJudge.h"
#include "soak/SoakMessageBox.h"
#include "soak/SoakWorkbooks.h"
#include "windows/Frm_Test.h"

namespace tabora::soak {

struct RunFolders {
    std::filesystem::path instances;  // the server's instance folders, of this run only
    std::filesystem::path temp;       // the offices' temporary folder
    std::filesystem::path books;      // the workbooks
};

class Soak {
public:
    Soak(uint64_t seed, RunFolders folders, ActionLog& log, SoakMessageBox& boxes);
    ~Soak();
    // Runs actions until the time is up; answers the number of distinct faults seen.
    int Run(std::chrono::seconds duration);
    // Ends every office this run started (also from the watchdog's thread).
    static void EndOffices(const std::filesystem::path& instances);

private:
    // The workbook the tool holds, as it must stand in its office.
    struct Open {
        std::filesystem::path file;
        std::vector<SheetState> sheets;
        std::u16string active;
        bool alive = true;
        bool structureProtected = false;
        pid_t office = 0;
        std::map<CellRef, std::u16string> edits;  // typed in the office since it was loaded
    };

    void StartTool();
    void CloseTool();

    // The actions.
    void Load(const SoakWorkbook& book, int how);
    void LoadMissing(int how);
    void TypeThenEnter(const std::u16string& text, int enters);
    void PressEnter();
    void ClickEntry(int index, bool twice);
    void PressChange();
    void Duplicate(int baseEntry, const std::vector<std::u16string>& lines, const std::vector<bool>& answers,
                   bool closeFirst);
    void Resize(int width, int height, bool minimise);
    void KillOffice();
    void RestartTool();
    void EditCells(int count);

    // The checks after each action.
    void CheckList();
    void CheckWorkbook(bool switched, const std::u16string& switchedTo);
    void CheckOffices();
    void CheckLeftovers();
    void CheckBoxes();
    // The workbook a load closed: its edits saved, discarded or still open, as the question about
    // them was answered.
    void CheckClosedWorkbook(const Open& closed);
    void CheckSavedCells(const std::filesystem::path& file, pid_t office);
    void Fault(const std::string& kind, const std::string& detail);

    // Gestures.
    void Clear(platform::TextBox& box);
    void Put(platform::TextBox& box, const std::u16string& text);
    void AfterLoadAttempt(const std::filesystem::path& file, bool exists);
    // The answer the user will give if the load asks whether to save the listed workbook; never
    // Cancel when the same file loads again (it would then be open twice).
    std::string DrawSaveAnswer(const std::filesystem::path& next);
    std::vector<std::u16string> Entries();
    platform::Form& Main() { return tool_->Form(); }
    std::u16string RandomName();
    std::vector<std::u16string> RandomLines();

    std::mt19937_64 random_;
    RunFolders folders_;
    ActionLog& log_;
    SoakMessageBox& boxes_;
    std::unique_ptr<OfficeJudge> judge_;
    std::vector<SoakWorkbook> books_;
    test::QtControlSet gestures_;
    std::unique_ptr<AutomationServer> server_;
    std::unique_ptr<windows::Frm_Test> tool_;

    std::vector<std::u16string> listed_;
    std::optional<Open> open_;
    int lastKey_ = 0;
    bool loadTried_ = false;
    std::set<std::filesystem::path> instanceFolders_;  // every one seen in the run
    std::map<std::string, int> faults_;
    int freshNames_ = 0;
    int edits_ = 0;
    // What each workbook file holds in the cells the run typed into, as last saved ("" where an
    // edit was discarded before any was saved).
    std::map<std::filesystem::path, std::map<CellRef, std::u16string>> savedCells_;
};

}  // namespace tabora::soak
