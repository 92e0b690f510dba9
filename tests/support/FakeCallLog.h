#pragma once
// What the Excel double remembers of the calls that reach it, and the rules that make chosen
// calls fail.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "excel/Automation.h"
#include "platform/RuntimeError.h"

namespace tabora::test {

// Member of the recorded enumeration of a collection (For Each).
inline constexpr char16_t kEnumerateMember[] = u"_NewEnum";

struct RecordedCall {
    int instance = 0;            // 1, 2, ... in creation order; 0 for the global application
    std::u16string objectKind;   // "Application", "Workbooks", "Workbook", "Sheets", "Worksheets",
                                 // "Worksheet", "Chart", "Range", "Borders", "Border", "Interior"
    std::u16string member;       // as the caller spelt it
    InvokeKind kind = InvokeKind::Method;
    // Arguments with their types as passed. Objects are kept as an empty reference (still of
    // type Object) so that the log holds no object alive; the text names them.
    std::vector<Variant> args;
    std::vector<NamedArgument> named;
    uint32_t locale = 0;
    // The call as one line, types visible: Integer 1%, Long 1&, Double 1.5#, "text", True,
    // an omitted argument as nothing, objects as <Worksheet "Sheet1">, <Range A1:B2>, Nothing.
    //   Application.Workbooks            (property read)
    //   Workbooks.Open("C:\a.xls")       (method)
    //   Application.Visible = True       (property write)
    //   Worksheet.Copy(After:=<Worksheet "Sheet3">)
    //   Sheets._NewEnum                  (For Each)
    std::string text;
    int32_t error = 0;  // number of the error the call raised; 0 when it succeeded
};

struct CallMatcher {
    std::u16string objectKind;        // empty: any object
    std::u16string member;            // ignoring case; empty: any member
    std::optional<InvokeKind> kind;   // none: any kind of call
    std::optional<int> instance;      // none: any instance
    int occurrence = 0;               // 0: every matching call; n: only the n-th one

    // CallMatcher::On(u"Worksheet", u"Name").OfKind(InvokeKind::PropertyPut).Nth(2)
    static CallMatcher On(std::u16string objectKind, std::u16string member = {}) {
        CallMatcher matcher;
        matcher.objectKind = std::move(objectKind);
        matcher.member = std::move(member);
        return matcher;
    }
    CallMatcher OfKind(InvokeKind callKind) const {
        CallMatcher copy = *this;
        copy.kind = callKind;
        return copy;
    }
    CallMatcher Nth(int n) const {
        CallMatcher copy = *this;
        copy.occurrence = n;
        return copy;
    }
    CallMatcher InInstance(int id) const {
        CallMatcher copy = *this;
        copy.instance = id;
        return copy;
    }

    bool Matches(const RecordedCall& call) const;
};

class FailureRules {
public:
    void Add(CallMatcher matcher, ErrorRecord error) { rules_.push_back({std::move(matcher), std::move(error), 0}); }
    void FailEverything(ErrorRecord error) { everything_ = std::move(error); }
    void Clear() {
        rules_.clear();
        everything_.reset();
    }
    // The error the call must raise, if a rule says so. Counts the call for occurrences.
    std::optional<ErrorRecord> Check(const RecordedCall& call);

private:
    struct Rule {
        CallMatcher matcher;
        ErrorRecord error;
        int seen;
    };
    std::vector<Rule> rules_;
    std::optional<ErrorRecord> everything_;
};

// What runs while chosen calls are in flight, as other events run while a server's answer is
// awaited.
class CallHooks {
public:
    void Add(CallMatcher matcher, std::function<void()> action) {
        hooks_.push_back({std::move(matcher), std::move(action), 0});
    }
    // Runs the actions of the hooks the call matches. Counts the call for occurrences.
    void Run(const RecordedCall& call);

private:
    struct Hook {
        CallMatcher matcher;
        std::function<void()> action;
        int seen;
    };
    std::vector<Hook> hooks_;
};

// The text of a recorded call; describe names an object argument ("<Worksheet \"Sheet1\">").
std::string FormatCall(const std::u16string& objectKind, const Invocation& call,
                       const std::function<std::string(const ObjectRef&)>& describe);
std::string FormatValue(const Variant& value, const std::function<std::string(const ObjectRef&)>& describe);

}  // namespace tabora::test
