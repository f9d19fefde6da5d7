#pragma once
// The interactive replace run wired to fakes over a temporary tree, for the run's tests.

#include "PassFixture.h"
#include "TempTree.h"
#include "fakes/FakeConfirmControls.h"
#include "fakes/FakeOutputDialogs.h"
#include "fakes/FakeViewer.h"
#include "fakes/FileBytes.h"
#include "regex/TRegex.h"
#include "rules/RuleCompiler.h"
#include "search/Backups.h"
#include "search/InteractiveRun.h"
#include "search/MultipassRules.h"
#include "search/OutputControl.h"
#include "search/PassFileList.h"
#include "search/ReportModel.h"
#include "search/WorkTextEditor.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace morvane::test {

struct InteractiveRunFixture : PassFixture {
    TempTree tree;
    FakeViewer viewer;
    FakeOutputDialogs outputDialogs;
    search::Backups backups;
    search::WorkTextEditor editor { control, viewer, backups };
    search::PassFileList fileList { control };
    search::OutputControl output { control, outputDialogs, &fileList };
    regex::TRegex engine;
    rules::RuleCompiler compiler { engine };
    search::ReportModel report;
    FakeConfirmControls controls;
    search::InteractiveRun run { control, fileList, editor, viewer, output, compiler, report, controls };
    search::PassOptions options;
    bool showReport = true;

    void start(search::MultipassRules rules, const search::PassSelection& selection)
    {
        run.miFindClick(
            selection, options, std::move(rules), [] { return true; }, showReport);
    }
    search::PassSelection files(std::initializer_list<std::string> names) const
    {
        return Marked(tree.root(), names);
    }
    std::string read(const std::string& name) const { return ReadFileBytes(tree / name); }
    bool exists(const std::string& name) const { return std::filesystem::exists(tree / name); }
    // The viewer's selected text.
    std::string selected() const
    {
        return viewer.text().substr(
            static_cast<size_t>(viewer.selStart()), static_cast<size_t>(viewer.selLength()));
    }
    // Answers F3 until the run stops waiting; gives up after `limit` answers.
    void skipToEnd(int limit = 100)
    {
        for (int i = 0; i < limit && run.waiting(); ++i)
            run.sbIgnoreClick();
    }
};

// The rule of the edit fields; the remark "${Q}" makes it a plain-text replacement.
inline search::MultipassRules Single(
    const std::string& find, const std::string& replace, const std::string& remark = "${Q}")
{
    return search::MultipassRules(rules::Rule { find, replace, remark });
}

// The rule table's rows, each with the remark "${Q}".
inline search::MultipassRules Rows(std::initializer_list<std::pair<std::string, std::string>> rows)
{
    std::vector<rules::Rule> table;
    for (const auto& [find, replace] : rows)
        table.push_back({ find, replace, "${Q}" });
    return search::MultipassRules(rules::Rule {}, std::move(table));
}

} // namespace morvane::test
