#include "soak/Soak.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <chrono>
#include <thread>

#include "excel/SaveChangesQuestion.h"
#include "platform/calc/CalcServer.h"
#include "platform/calc/ProcessAlive.h"
#include "platform/qt/QtEventLoop.h"
#include "soak/CopyVerdict.h"

namespace tabora::soak {
namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::QtControlSet;

namespace {

constexpr int16_t kEnter = 13;
constexpr int16_t kBackspace = 8;
constexpr int16_t kRight = 39;
constexpr int16_t kYes = 6;
constexpr int16_t kNo = 7;
constexpr int16_t kCancel = 2;
constexpr char16_t kNoSheetYet[] = u"ｼｰﾄ名が見つかりません。";
constexpr char16_t kAllDone[] = u"全て完了しました。";
// A copy run that stops at a refused name says so and keeps the dialog open.
constexpr char16_t kCopyRefused[] = u"シートを作成できませんでした。\r";

// As the tool makes its server: the office's word of changed sheets reaches the windows.
std::unique_ptr<AutomationServer> MakeServer() {
    calc::CalcServerOptions options;
    options.postToUserInterface = platform::qt::PostToEventLoop;
    return calc::MakeCalcServer(std::move(options));
}

std::string Quoted(const std::u16string& text) { return "\"" + Utf8(text) + "\""; }

std::string Joined(const std::vector<std::u16string>& names) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) text += (i ? ", " : "") + Quoted(names[i]);
    return "[" + text + "]";
}

std::vector<std::u16string> NamesOf(const std::vector<SheetState>& sheets) {
    std::vector<std::u16string> names;
    for (const SheetState& sheet : sheets) names.push_back(sheet.name);
    return names;
}

bool Exists(const std::vector<SheetState>& sheets, const std::u16string& name, bool visibleOnly) {
    return std::any_of(sheets.begin(), sheets.end(),
                       [&](const SheetState& s) { return s.name == name && (s.visible || !visibleOnly); });
}

std::u16string AsciiFolded(std::u16string name) {
    for (char16_t& c : name)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return name;
}

std::u16string CaseSwapped(std::u16string name) {
    for (char16_t& c : name) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        else if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return name;
}

std::u16string U16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// The folders an office leaves in its temporary folder while it runs.
std::vector<fs::path> OfficeTempFolders(const fs::path& temp) {
    std::vector<fs::path> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(temp, ec))
        if (entry.path().filename().string().starts_with("lu")) found.push_back(entry.path());
    return found;
}

void WaitUntilEnded(pid_t pid) {
    for (int i = 0; i < 100 && calc::ProcessAlive(pid); ++i) std::this_thread::sleep_for(50ms);
}

}  // namespace

Soak::Soak(uint64_t seed, RunFolders folders, ActionLog& log, SoakMessageBox& boxes)
    : random_(seed), folders_(std::move(folders)), log_(log), boxes_(boxes),
      judge_(std::make_unique<OfficeJudge>(folders_.instances)) {
    // The workbooks are written by an office the server starts and the judge then drives.
    server_ = MakeServer();
    {
        const ObjectRef maker = server_->CreateApplication();
        const pid_t office = calc::OfficeProcessOf(maker).value_or(0);
        books_ = MakeSoakWorkbooks(*judge_, office, folders_.books);
    }
    StartTool();
}

Soak::~Soak() {
    CloseTool();
    judge_.reset();
    EndOffices(folders_.instances);
}

void Soak::EndOffices(const fs::path& instances) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(instances, ec)) {
        const pid_t pid = OfficeOfFolder(entry.path());
        if (pid == 0) continue;
        kill(pid, SIGTERM);
        WaitUntilEnded(pid);
        if (calc::ProcessAlive(pid)) kill(pid, SIGKILL);
    }
}

void Soak::StartTool() {
    if (server_ == nullptr) server_ = MakeServer();
    tool_ = std::make_unique<windows::Frm_Test>(windows::WindowServices{gestures_.Forms(), *server_});
    gestures_.Show(Main());
    listed_.clear();
    open_.reset();
    lastKey_ = 0;
    loadTried_ = false;
}

void Soak::CloseTool() {
    if (tool_ != nullptr && tool_->IsLoaded()) gestures_.CloseByUser(Main());
    tool_.reset();
    server_.reset();
    gestures_.Settle();
}

int Soak::Run(std::chrono::seconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    std::uniform_int_distribution<int> pick(0, 99);
    while (std::chrono::steady_clock::now() < end) {
        if (std::bernoulli_distribution(0.2)(random_)) {
            // The user types into the workbook in the office between gestures at the tool.
            EditCells(std::uniform_int_distribution<int>(1, 3)(random_));
            CheckBoxes();
            log_.Idle();
        }
        const int roll = pick(random_);
        const int how = std::uniform_int_distribution<int>(0, 3)(random_);
        if (roll < 10) {
            // The last workbook, of 1,000 sheets, takes longest to load: it has one draw, each
            // other workbook two.
            const size_t small = books_.size() - 1;
            const size_t book = std::uniform_int_distribution<size_t>(0, 2 * small)(random_);
            Load(books_[book == 2 * small ? small : book % small], how);
        } else if (roll < 13) {
            LoadMissing(how);
        } else if (roll < 38) {
            std::u16string text = RandomName();
            const auto entries = Entries();
            if (!entries.empty() && std::bernoulli_distribution(0.7)(random_)) {
                const std::u16string& entry = entries[std::uniform_int_distribution<size_t>(0, entries.size() - 1)(random_)];
                text = entry.substr(0, std::uniform_int_distribution<size_t>(1, entry.size())(random_));
            }
            TypeThenEnter(text, std::uniform_int_distribution<int>(1, 2)(random_));
        } else if (roll < 43) {
            PressEnter();
        } else if (roll < 60) {
            const int count = static_cast<int>(Entries().size());
            const int index = count > 0 ? std::uniform_int_distribution<int>(0, count - 1)(random_) : -1;
            ClickEntry(index, std::bernoulli_distribution(0.4)(random_));
        } else if (roll < 68) {
            PressChange();
        } else if (roll < 85) {
            // Mostly for a sheet picked from the list, else for whatever the name box holds.
            const int count = static_cast<int>(Entries().size());
            const int base = count > 0 && std::bernoulli_distribution(0.7)(random_)
                                 ? std::uniform_int_distribution<int>(0, count - 1)(random_)
                                 : -1;
            const auto lines = RandomLines();
            std::vector<bool> answers;
            for (int i = std::uniform_int_distribution<int>(1, 2)(random_); i > 0; --i)
                answers.push_back(std::bernoulli_distribution(0.75)(random_));
            Duplicate(base, lines, answers, std::bernoulli_distribution(0.03)(random_));
        } else if (roll < 92) {
            Resize(std::uniform_int_distribution<int>(1500, 9000)(random_),
                   std::uniform_int_distribution<int>(1500, 12000)(random_), std::bernoulli_distribution(0.4)(random_));
        } else if (roll < 95) {
            KillOffice();
        } else {
            RestartTool();
        }
        CheckBoxes();
        CheckOffices();
        log_.Idle();
    }
    std::fprintf(stdout, "soak: %llu actions, %zu kinds of fault\n", static_cast<unsigned long long>(log_.Count()),
                 faults_.size());
    std::fprintf(stdout, "  slowest action: %s\n", log_.Slowest().c_str());
    for (const auto& [kind, count] : faults_) std::fprintf(stdout, "  %s: seen %d times\n", kind.c_str(), count);
    return static_cast<int>(faults_.size());
}

std::u16string Soak::RandomName() {
    static const std::vector<std::u16string> missing{u"無い名前", u"sheet1", u"ＳＨＥＥＴ", u"Sheet9999", u"zz", u"ｼｰﾄ",
                                                     u" Sheet1", u"Summary3"};
    return missing[std::uniform_int_distribution<size_t>(0, missing.size() - 1)(random_)];
}

std::vector<std::u16string> Soak::RandomLines() {
    const auto entries = Entries();
    std::vector<std::u16string> lines;
    for (int n = std::uniform_int_distribution<int>(0, 5)(random_); n > 0; --n) {
        switch (std::uniform_int_distribution<int>(0, 9)(random_)) {
            case 0:
            case 1:
            case 2:
                lines.push_back(U16("N" + std::to_string(++freshNames_)));
                break;
            case 3:
                lines.push_back(u"新" + U16(std::to_string(++freshNames_)));
                break;
            case 4:
                if (!entries.empty())
                    lines.push_back(CaseSwapped(entries[std::uniform_int_distribution<size_t>(0, entries.size() - 1)(random_)]));
                break;
            case 5: {
                static const std::vector<std::u16string> refused{u"a/b", u"[x]", u"q?", u"AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA",
                                                                 u"ｺﾋﾟｰ:1", u",lead"};
                lines.push_back(refused[std::uniform_int_distribution<size_t>(0, refused.size() - 1)(random_)]);
                break;
            }
            case 6:
                lines.push_back(u"");
                break;
            case 7:
                lines.push_back(U16("C" + std::to_string(++freshNames_) + ",x,y"));
                break;
            case 8:
                lines.push_back(u"   ");
                break;
            default:
                lines.push_back(U16("M" + std::to_string(++freshNames_)) + u"ﾃｽﾄ");
                break;
        }
    }
    return lines;
}

std::vector<std::u16string> Soak::Entries() {
    std::vector<std::u16string> entries;
    platform::ListBox& list = Main().ListBoxNamed(u"Lst_Item");
    for (int32_t i = 0; i < list.ListCount(); ++i) entries.push_back(list.List(i));
    return entries;
}

void Soak::Clear(platform::TextBox& box) {
    QWidget* widget = QtControlSet::WidgetOf(box);
    widget->setFocus(Qt::OtherFocusReason);
    gestures_.PressKey(box, 'A', 2);  // Ctrl+A
    gestures_.PressKey(box, kBackspace, 0);
}

void Soak::Put(platform::TextBox& box, const std::u16string& text) {
    Clear(box);
    if (!text.empty()) gestures_.Type(box, text);
}

// ---- Loading ----

std::string Soak::DrawSaveAnswer(const fs::path& next) {
    const bool again = open_ && open_->file == next;
    // Saving the workbook of 1,000 sheets takes most of an action's time on a busy machine.
    const bool large = open_ && open_->file == books_.back().file;
    const int roll = std::uniform_int_distribution<int>(0, 99)(random_);
    const int16_t answer = roll < 45 && !large ? kYes : roll < 80 || again ? kNo : kCancel;
    boxes_.AnswerSaveQuestions(answer);
    return answer == kYes ? " (asked to save: Yes)" : answer == kNo ? " (asked to save: No)" : " (asked to save: Cancel)";
}

void Soak::Load(const SoakWorkbook& book, int how) {
    static const char16_t* const kTargets[] = {u"Txt_Path", u"Lst_Item", u"Txt_SheetName"};
    const std::string answer = DrawSaveAnswer(book.file);
    log_.Begin((how == 0 ? "type the path and press Cmd_Get: " : "drop on " + Utf8(kTargets[how - 1]) + ": ") +
               book.file.filename().string() + answer);
    if (how == 0) {
        Put(Main().TextBoxNamed(u"Txt_Path"), book.file.u16string());
        gestures_.Press(Main().PictureButtonNamed(u"Cmd_Get"));
    } else {
        gestures_.DropFiles(Main().ControlNamed(kTargets[how - 1]), {book.file.u16string()});
    }
    gestures_.Settle();
    AfterLoadAttempt(book.file, true);
}

void Soak::LoadMissing(int how) {
    const fs::path missing = folders_.books / (how % 2 ? "missing.xls" : "無い.xls");
    const std::string answer = DrawSaveAnswer(missing);
    log_.Begin("type a path that does not exist and press Cmd_Get: " + missing.filename().string() + answer);
    Put(Main().TextBoxNamed(u"Txt_Path"), missing.u16string());
    gestures_.Press(Main().PictureButtonNamed(u"Cmd_Get"));
    gestures_.Settle();
    AfterLoadAttempt(missing, false);
}

void Soak::AfterLoadAttempt(const fs::path& file, bool exists) {
    loadTried_ = true;
    // The previous workbook is closed in any case, unless the user keeps it open.
    if (open_ && open_->alive) CheckClosedWorkbook(*open_);
    open_.reset();
    if (exists) {
        const auto book = std::find_if(books_.begin(), books_.end(), [&](const auto& b) { return b.file == file; });
        auto view = judge_->Workbook(file);
        if (!view) {
            std::this_thread::sleep_for(2s);  // a busy office may answer late
            view = judge_->Workbook(file);
        }
        if (!view) {
            std::string seen;
            for (const OfficeSeen& office : judge_->Offices())
                seen += " " + std::to_string(office.pid) + (office.answers ? "" : " (silent)") + " with " +
                        std::to_string(office.documents) + " documents;";
            Fault("an existing workbook did not load",
                  file.string() + " is open in no office of the run; offices:" + (seen.empty() ? " none" : seen));
        } else {
            if (view->sheets != book->sheets || view->structureProtected != book->structureProtected)
                Fault("the loaded workbook differs from its file", file.string() + ": " + Joined(NamesOf(view->sheets)) +
                                                                       ", saved " + Joined(NamesOf(book->sheets)));
            open_ = Open{file, view->sheets, view->activeSheet, true, book->structureProtected, view->office, {}};
            listed_ = NamesOf(view->sheets);
            CheckSavedCells(file, view->office);
        }
    }
    CheckList();
    CheckWorkbook(false, {});
    CheckLeftovers();
}

// ---- Searching and switching ----

void Soak::TypeThenEnter(const std::u16string& text, int enters) {
    log_.Begin("type " + Quoted(text) + " into Txt_SheetName, then Enter x" + std::to_string(enters));
    platform::TextBox& box = Main().TextBoxNamed(u"Txt_SheetName");
    Put(box, text);
    lastKey_ = kBackspace;
    gestures_.PressKey(box, kEnter, 0);
    gestures_.Settle();
    lastKey_ = kEnter;
    // The first Enter completes the text from the first entry that begins with it.
    const auto entries = Entries();
    const auto first = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.starts_with(text); });
    const std::u16string expected = text.empty() || first == entries.end() ? text : *first;
    if (box.Text() != expected)
        Fault("Enter did not complete the name from the list",
              "typed " + Quoted(text) + ", box shows " + Quoted(box.Text()) + ", expected " + Quoted(expected));
    CheckWorkbook(false, {});
    if (enters == 2) {
        gestures_.PressKey(box, kEnter, 0);
        gestures_.Settle();
        lastKey_ = 0;
        CheckWorkbook(true, box.Text());
    }
    CheckList();
}

void Soak::PressEnter() {
    log_.Begin("press Enter in Txt_SheetName");
    platform::TextBox& box = Main().TextBoxNamed(u"Txt_SheetName");
    QtControlSet::WidgetOf(box)->setFocus(Qt::OtherFocusReason);
    const bool switches = lastKey_ == kEnter;
    gestures_.PressKey(box, kEnter, 0);
    gestures_.Settle();
    lastKey_ = switches ? 0 : kEnter;
    CheckWorkbook(switches, box.Text());
    CheckList();
}

void Soak::ClickEntry(int index, bool twice) {
    log_.Begin(std::string(twice ? "double-click" : "click") + " entry " + std::to_string(index));
    if (index < 0) {
        CheckList();
        return;
    }
    platform::ListBox& list = Main().ListBoxNamed(u"Lst_Item");
    if (twice) {
        gestures_.DoubleClickItem(list, index);
    } else {
        gestures_.ClickItem(list, index);
    }
    gestures_.Settle();
    const std::u16string text = Main().TextBoxNamed(u"Txt_SheetName").Text();
    if (text != listed_.at(static_cast<size_t>(index)))
        Fault("a click did not copy the entry", "entry " + Quoted(listed_[index]) + ", box " + Quoted(text));
    CheckWorkbook(twice, text);
    CheckList();
}

void Soak::PressChange() {
    log_.Begin("press Cmd_Change");
    platform::PictureButton& change = Main().PictureButtonNamed(u"Cmd_Change");
    const bool enabled = change.Enabled();
    gestures_.Press(change);
    gestures_.Settle();
    CheckWorkbook(enabled, Main().TextBoxNamed(u"Txt_SheetName").Text());
    CheckList();
}

// ---- Copying ----

void Soak::Duplicate(int baseEntry, const std::vector<std::u16string>& lines, const std::vector<bool>& answers,
                     bool closeFirst) {
    std::string description = (baseEntry >= 0 ? "click entry " + std::to_string(baseEntry) + ", " : std::string()) +
                              "Cmd_Open, lines " + Joined(lines) + ", answers";
    for (bool yes : answers) description += yes ? " Yes" : " No";
    if (closeFirst) description += ", then close the main window";
    log_.Begin(description);
    if (baseEntry >= 0) {
        gestures_.ClickItem(Main().ListBoxNamed(u"Lst_Item"), baseEntry);
        gestures_.Settle();
    }

    const std::u16string base = Main().TextBoxNamed(u"Txt_SheetName").Text();
    std::deque<int16_t> confirmations;
    for (bool yes : answers) confirmations.push_back(yes ? kYes : kNo);
    boxes_.AnswerConfirmations(confirmations);

    auto pending = std::make_shared<bool>(true);
    QTimer::singleShot(0, [this, pending, lines, answers, closeFirst] {
        if (!*pending) return;
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) return;
        auto* names = dialog->findChild<QPlainTextEdit*>(QStringLiteral("Txt_NewSheets"));
        QWidget* copy = dialog->findChild<QWidget*>(QStringLiteral("Cmd_Copy"));
        if (names == nullptr || copy == nullptr) return;
        names->setFocus(Qt::OtherFocusReason);
        for (size_t i = 0; i < lines.size(); ++i) {
            if (!lines[i].empty()) {
                QInputMethodEvent commit;
                commit.setCommitString(QString::fromStdU16String(lines[i]));
                QApplication::sendEvent(names, &commit);
            }
            if (i + 1 < lines.size()) QTest::keyClick(names, Qt::Key_Return);
        }
        QPointer<QWidget> alive(dialog);
        if (closeFirst) gestures_.CloseByUser(Main());
        for (size_t i = 0; i < answers.size() && alive && alive->isVisible(); ++i) QTest::mouseClick(copy, Qt::LeftButton);
        if (alive && alive->isVisible()) alive->close();
    });
    gestures_.Press(Main().PictureButtonNamed(u"Cmd_Open"));
    *pending = false;
    gestures_.Settle();
    if (!tool_->IsLoaded()) {
        // The main window went while its dialog was open: the user starts the tool again.
        Fault("the main window closed under its modal dialog", "the dialog did not keep it");
        CloseTool();
        StartTool();
        return;
    }

    const bool opened = !base.empty();
    if (!opened || !open_ || !open_->alive) {
        // Nothing to copy in: no workbook, or its office is gone. The list is refilled from a
        // workbook only, so it stays or, with the office gone, may be emptied.
        const auto entries = Entries();
        if (opened && entries.empty()) listed_.clear();
        CheckList();
        CheckWorkbook(false, {});
        return;
    }
    const auto view = judge_->Workbook(open_->file);
    if (!view) {
        Fault("the workbook vanished during a copy", open_->file.string());
        open_.reset();
        return;
    }
    // Only a Yes before any No-less pass reaches the copy: the first Yes, if the lines hold a name.
    const auto asked = NamesAskedFor(lines);
    const bool copied = std::find(answers.begin(), answers.end(), true) != answers.end() && !asked.empty();
    const auto verdict = JudgeCopy(open_->sheets, base, copied ? asked : std::vector<std::u16string>{}, view->sheets,
                                   open_->structureProtected);
    if (view->structureProtected != open_->structureProtected)
        Fault("a copy run changed the workbook's protection", open_->file.string());
    if (verdict) Fault("a copy run did something nobody asked for", *verdict + " (base " + Quoted(base) + ")");
    // What the dialog told the user must be what happened.
    for (const SeenBox& box : boxes_.Seen()) {
        const bool allDone = box.text == kAllDone;
        if (!allDone && !box.text.starts_with(kCopyRefused)) continue;
        for (const std::u16string& name : allDone ? asked : std::vector<std::u16string>{}) {
            const bool there = std::any_of(view->sheets.begin(), view->sheets.end(), [&](const SheetState& s) {
                return AsciiFolded(s.name) == AsciiFolded(name);
            });
            if (!there) Fault("a copy run reported success for a sheet it did not make", Quoted(name));
        }
        const std::u16string refused = allDone ? u"" : box.text.substr(std::char_traits<char16_t>::length(kCopyRefused));
        if (!allDone && Exists(view->sheets, refused, false) && !Exists(open_->sheets, refused, false))
            Fault("a copy run reported a failure for a sheet it made", Quoted(refused));
    }
    open_->sheets = view->sheets;
    open_->active = view->activeSheet;
    listed_ = NamesOf(view->sheets);
    CheckList();
}

// ---- The window and the office ----

void Soak::Resize(int width, int height, bool minimise) {
    log_.Begin(minimise ? std::string("minimise and restore the main window")
                        : "resize the main window to " + std::to_string(width) + " x " + std::to_string(height) + " twips");
    QWidget* window = QtControlSet::QtFormOf(Main()).Window();
    if (minimise) {
        window->showMinimized();
        gestures_.Settle();
        window->showNormal();
    } else {
        gestures_.ResizeByUser(Main(), static_cast<float>(width), static_cast<float>(height));
    }
    gestures_.Settle();
    CheckWorkbook(false, {});
    CheckList();
}

void Soak::KillOffice() {
    log_.Begin("kill the office of the listed workbook with SIGKILL");
    if (!open_ || !open_->alive) return;
    const auto view = judge_->Workbook(open_->file);
    if (!view) return;
    kill(view->office, SIGKILL);
    WaitUntilEnded(view->office);
    open_->alive = false;
}

void Soak::RestartTool() {
    log_.Begin("close the tool, quit the offices it left, start the tool again");
    CloseTool();
    // The user closes the workbooks the tool left open, so that each file is open once at most.
    for (const OfficeSeen& office : judge_->Offices()) {
        kill(office.pid, SIGTERM);
        WaitUntilEnded(office.pid);
    }
    StartTool();
    CheckList();
}

void Soak::EditCells(int count) {
    log_.Begin("type into " + std::to_string(count) + " cells of the listed workbook in the office");
    if (!open_ || !open_->alive || open_->active.empty()) return;
    for (int i = 0; i < count; ++i) {
        const CellRef cell{open_->active, std::uniform_int_distribution<int>(1, 40)(random_),
                           std::uniform_int_distribution<int>(1, 8)(random_)};
        const std::u16string text = u"編集" + U16(std::to_string(++edits_));
        if (!judge_->EditCell(open_->file, cell, text)) {
            Fault("the listed workbook is open in no office", open_->file.string());
            open_.reset();
            return;
        }
        open_->edits[cell] = text;
    }
    CheckWorkbook(false, {});
}

// ---- The checks ----

void Soak::CheckClosedWorkbook(const Open& closed) {
    const std::u16string question = excel::SaveChangesQuestion(closed.file.filename().u16string());
    const auto asked = std::find_if(boxes_.Seen().begin(), boxes_.Seen().end(),
                                    [&](const SeenBox& box) { return box.text == question; });
    const int16_t answer = asked == boxes_.Seen().end() ? 0 : asked->answer;
    std::vector<CellRef> cells;
    std::vector<std::u16string> typed;
    for (const auto& [cell, text] : closed.edits) {
        cells.push_back(cell);
        typed.push_back(text);
    }
    // Still open in its office: cancelled, or a save the office refused (a file another office
    // holds). Nothing may be lost there; then it goes, so that each file is open once at most.
    if (const auto kept = judge_->CellTexts(closed.file, cells, closed.office)) {
        if (answer != kCancel && answer != kYes)
            Fault("a closed workbook stayed open", closed.file.string() + " after answer " + std::to_string(answer));
        if (*kept != typed) Fault("a workbook kept open lost edits", closed.file.string());
        kill(closed.office, SIGKILL);
        WaitUntilEnded(closed.office);
        return;
    }
    if (answer == kCancel) Fault("a cancelled question closed the workbook", closed.file.string());
    if (answer == 0 && !closed.edits.empty())
        Fault("edits were closed without a question", closed.file.string() + ", " + std::to_string(cells.size()) + " cells");
    const auto book = std::find_if(books_.begin(), books_.end(), [&](const auto& b) { return b.file == closed.file; });
    if (book == books_.end()) return;
    auto& saved = savedCells_[closed.file];
    if (answer == kYes) {
        for (const auto& [cell, text] : closed.edits) saved[cell] = text;
        book->sheets = closed.sheets;
        return;
    }
    // Discarded: the file keeps what it had, also where the run typed into a sheet it has.
    for (const auto& [cell, text] : closed.edits)
        if (Exists(book->sheets, cell.sheet, false)) saved.try_emplace(cell, u"");
}

void Soak::CheckSavedCells(const fs::path& file, pid_t office) {
    const auto saved = savedCells_.find(file);
    if (saved == savedCells_.end() || saved->second.empty()) return;
    std::vector<CellRef> cells;
    for (const auto& [cell, text] : saved->second) cells.push_back(cell);
    const auto texts = judge_->CellTexts(file, cells, office);
    if (!texts) return;
    for (size_t i = 0; i < cells.size(); ++i) {
        const std::u16string& expected = saved->second.at(cells[i]);
        if ((*texts)[i] == expected) continue;
        Fault(expected.empty() ? "an edit answered with Don't Save is in the file" : "a saved edit is not in the file",
              file.string() + " " + Utf8(cells[i].sheet) + " R" + std::to_string(cells[i].row) + "C" +
                  std::to_string(cells[i].column) + ": " + Quoted((*texts)[i]) + ", expected " + Quoted(expected));
        return;
    }
}

void Soak::CheckList() {
    const auto entries = Entries();
    if (entries != listed_) {
        Fault("the list is not the workbook's sheets",
              "list " + Joined(entries) + "\n  expected " + Joined(listed_));
        listed_ = entries;
    }
}

void Soak::CheckWorkbook(bool switched, const std::u16string& switchedTo) {
    if (!open_ || !open_->alive) return;
    const auto view = judge_->Workbook(open_->file);
    if (!view) {
        Fault("the listed workbook is open in no office", open_->file.string());
        open_.reset();
        return;
    }
    if (view->sheets != open_->sheets) {
        Fault("the workbook's sheets changed without a copy", "now " + Joined(NamesOf(view->sheets)) +
                                                                  ", before " + Joined(NamesOf(open_->sheets)));
        open_->sheets = view->sheets;
    }
    const std::u16string before = open_->active;
    const std::u16string now = view->activeSheet;
    open_->active = now;
    if (!switched) {
        if (now != before) Fault("the active sheet changed without a switch", Utf8(before) + " -> " + Utf8(now));
        return;
    }
    if (Exists(open_->sheets, switchedTo, true)) {
        if (now != switchedTo)
            Fault("a switch did not show the named sheet", "asked " + Quoted(switchedTo) + ", active " + Quoted(now));
        return;
    }
    const bool foldedMatch = std::any_of(open_->sheets.begin(), open_->sheets.end(), [&](const SheetState& s) {
        return AsciiFolded(s.name) == AsciiFolded(switchedTo);
    });
    if (!foldedMatch && now != before)
        Fault("a switch to a missing sheet changed the active sheet",
              "asked " + Quoted(switchedTo) + ", " + Quoted(before) + " -> " + Quoted(now));
}

void Soak::CheckOffices() {
    // A released office is asked to end and is given a few seconds to do so before its keeper
    // ends it: only one still there after that counts.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(6);
    std::vector<OfficeSeen> empty;
    for (;;) {
        empty.clear();
        for (const OfficeSeen& office : judge_->Offices())
            if (office.documents == 0) empty.push_back(office);
        if (empty.size() <= 1) return;
        if (std::chrono::steady_clock::now() > deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    std::string pids;
    for (const OfficeSeen& office : empty) pids += " " + std::to_string(office.pid) + (office.answers ? "" : " (silent)");
    Fault("offices without a document beyond one spare", std::to_string(empty.size()) + " offices:" + pids);
    // Ended here, so that the run goes on with at most the spare.
    for (const OfficeSeen& office : empty) {
        kill(office.pid, SIGKILL);
        WaitUntilEnded(office.pid);
    }
}

namespace {
void GoneWithin(const fs::path& path, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::error_code ec;
    while (fs::exists(path, ec) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
}
}  // namespace

void Soak::CheckLeftovers() {
    // Checked after a start: the server sweeps what ended offices left when it starts the next.
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folders_.instances, ec)) instanceFolders_.insert(entry.path());
    for (const fs::path& folder : instanceFolders_) {
        const pid_t recorded = RecordedOffice(folder);
        const bool ended = recorded != 0 && !calc::ProcessAlive(OfficeOfFolder(folder));
        // The keeper clears an office's folder, pipe and locks once the office has gone: a
        // folder still there in those moments is not one left behind.
        if (ended) GoneWithin(folder, std::chrono::seconds(6));
        const bool gone = !fs::exists(folder, ec);
        if (ended && !gone) {
            Fault("an ended office's instance folder remains after the next start", folder.string());
            fs::remove_all(folder, ec);  // so that the run goes on with what is new
        }
        if ((ended || gone) && fs::exists(PipeSocketOf(folder), ec)) {
            Fault("an ended office's pipe remains after the next start", PipeSocketOf(folder).string());
            fs::remove(PipeSocketOf(folder), ec);
        }
    }
    for (const auto& entry : fs::directory_iterator(folders_.books, ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(".~lock.") || !name.ends_with("#")) continue;
        const fs::path book = folders_.books / name.substr(7, name.size() - 8);
        if (judge_->Workbook(book)) continue;
        Fault("a lock file of a workbook no office holds remains after the next start", name);
        fs::remove(entry.path(), ec);
    }
    // Each running office of the run has one temporary folder, named "lu<pid>..."; any other
    // is an ended office's, left behind.
    const auto offices = judge_->Offices();
    for (const fs::path& temp : OfficeTempFolders(folders_.temp)) {
        const std::string name = temp.filename().string();
        const bool owned = std::any_of(offices.begin(), offices.end(), [&](const OfficeSeen& office) {
            return name.starts_with("lu" + std::to_string(office.pid));
        });
        if (owned) continue;
        Fault("an ended office's temporary folder remains after the next start", name);
        fs::remove_all(temp, ec);
    }
}

void Soak::CheckBoxes() {
    for (const SeenBox& box : boxes_.TakeSeen()) {
        if (box.text == kConfirmCopy || box.text == kAllDone || box.text.starts_with(kCopyRefused)) continue;
        if (box.text.ends_with(kSaveChangesEnd)) continue;  // judged with the load that asked
        if (box.text == kNoSheetYet && !loadTried_) continue;
        Fault("an unexpected message box", Utf8(box.title) + ": " + Utf8(box.text));
    }
}

void Soak::Fault(const std::string& kind, const std::string& detail) {
    if (log_.Aborting() || faults_[kind]++ > 0) return;
    std::fprintf(stdout, "SOAK FAULT after action #%llu: %s\n  %s\n%s", static_cast<unsigned long long>(log_.Count()),
                 kind.c_str(), detail.c_str(), log_.Recent().c_str());
    std::fflush(stdout);
}

}  // namespace tabora::soak
