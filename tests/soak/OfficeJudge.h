#pragma once
// The soak's judge: what the offices of this run really hold, read over each office's own pipe
// with a UNO bridge and runtime of the judge's own. It never goes through the automation server
// or the wrapper it judges, so that a fault there cannot hide itself.

#include <sys/types.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tabora::soak {

struct SheetState {
    std::u16string name;
    bool visible = true;
    bool operator==(const SheetState&) const = default;
};

struct WorkbookView {
    pid_t office = 0;
    std::vector<SheetState> sheets;
    std::u16string activeSheet;  // empty when the workbook has no view
    bool structureProtected = false;
};

// One cell of a worksheet, by the sheet's name and 1-based row and column.
struct CellRef {
    std::u16string sheet;
    int row = 1;
    int column = 1;
    auto operator<=>(const CellRef&) const = default;
};

struct OfficeSeen {
    pid_t pid = 0;
    std::filesystem::path folder;  // its instance folder
    bool answers = false;          // reachable over its pipe
    int documents = 0;             // documents it has open
};

class OfficeJudge {
public:
    // instanceRoot: the folder that holds this run's instance folders, and no one else's.
    explicit OfficeJudge(std::filesystem::path instanceRoot);
    ~OfficeJudge();
    OfficeJudge(const OfficeJudge&) = delete;
    OfficeJudge& operator=(const OfficeJudge&) = delete;

    // The offices of this run whose process still runs.
    std::vector<OfficeSeen> Offices();
    // The workbook loaded from this file, in whichever office of the run holds it.
    std::optional<WorkbookView> Workbook(const std::filesystem::path& file);
    // Types text into a cell of the workbook loaded from the file, as the user would in the
    // office; false when no office of the run holds it.
    bool EditCell(const std::filesystem::path& file, const CellRef& cell, const std::u16string& text);
    // The texts of these cells in the workbook loaded from the file, in the office of this pid
    // (in any office of the run with 0); none when that office does not hold it.
    std::optional<std::vector<std::u16string>> CellTexts(const std::filesystem::path& file,
                                                         const std::vector<CellRef>& cells, pid_t office = 0);
    // Writes an .xls file with these sheets (in this order), made in the office of this pid; with
    // protectStructure, no sheet of it may be added, copied, deleted or renamed.
    void MakeWorkbook(pid_t office, const std::filesystem::path& file, const std::vector<SheetState>& sheets,
                      bool protectStructure = false);
    // The instance folder of a running office of this run.
    std::optional<std::filesystem::path> FolderOf(pid_t office);

private:
    struct Bridges;
    std::filesystem::path root_;
    std::unique_ptr<Bridges> bridges_;
};

// The pid the server recorded in an instance folder; 0 when none is recorded yet.
pid_t RecordedOffice(const std::filesystem::path& folder);
// The socket of the pipe the office of an instance folder listens on.
std::filesystem::path PipeSocketOf(const std::filesystem::path& folder);
// The process of an instance folder, read from the pid file the server writes there; 0 when
// none is recorded. Only a pid whose command line names the folder counts, so that a reused
// pid is never taken for one of ours.
pid_t OfficeOfFolder(const std::filesystem::path& folder);
// Running processes whose command line contains this text.
std::vector<pid_t> ProcessesNaming(const std::string& text);

}  // namespace tabora::soak
