// The interactive run driven by the colouring set-up mode: it walks the viewer's sample text,
// selects group 1, previews and "replaces" through the set-up actions, changes no text and
// writes nothing.

#include "InteractiveRunFixture.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"

#include <gtest/gtest.h>

using namespace morvane::search;
using morvane::codepage::Utf8ToWin1251;
using morvane::test::InteractiveRunFixture;
using morvane::test::Single;

namespace {

// Records what the run asks of the colouring code.
class RecordingSetup : public InteractiveRunColourSetup {
public:
    explicit RecordingSetup(
        const morvane::test::FakeConfirmControls& controls, const morvane::test::FakeViewer& viewer)
        : m_controls(controls)
        , m_viewer(viewer)
    {
    }
    void PreviewAttributes() override { previews.push_back(m_controls.previewText()); }
    void ApplyAttributes() override
    {
        applied.push_back(m_viewer.text().substr(
            static_cast<size_t>(m_viewer.selStart()), static_cast<size_t>(m_viewer.selLength())));
    }

    std::vector<std::string> previews;
    std::vector<std::string> applied; // the selection each time attributes were applied

private:
    const morvane::test::FakeConfirmControls& m_controls;
    const morvane::test::FakeViewer& m_viewer;
};

struct SetupFixture : InteractiveRunFixture {
    RecordingSetup setup { controls, viewer };

    // The sample file loaded into the viewer, and a two-file list, so that only the mode keeps
    // the controls for other files disabled.
    explicit SetupFixture(const std::string& sample)
    {
        tree.file("sample.htm", sample);
        tree.file("other.htm", sample);
        EXPECT_TRUE(fileList.BuildFileList(files({ "sample.htm", "other.htm" }), options));
        EXPECT_TRUE(editor.LoadIntoEditor(tree / "sample.htm"));
        run.setColourSetup(&setup);
    }
};

} // namespace

TEST(InteractiveRunColourSetup, WalksTheSampleByGroupOne)
{
    SetupFixture f("<b>x<i>y<b>");
    f.start(Single("<(\\w)>", "clRed"), PassSelection {});
    ASSERT_TRUE(f.run.waiting());
    EXPECT_EQ(f.viewer.selStart(), 1);
    EXPECT_EQ(f.selected(), "b");
    EXPECT_EQ(f.setup.previews, (std::vector<std::string> { "b" }));
    EXPECT_FALSE(f.controls.isEnabled(ConfirmControl::sbAll));
    EXPECT_FALSE(f.controls.isEnabled(ConfirmControl::miNextFile));
    EXPECT_TRUE(f.controls.isEnabled(ConfirmControl::sbYesToAll));
    EXPECT_EQ(f.status.text(1), Utf8ToWin1251(" найдено - 1  заменено - 0"));

    f.run.sbYesClick();
    EXPECT_EQ(f.setup.applied, (std::vector<std::string> { "b" }));
    EXPECT_EQ(f.selected(), "i");
    f.run.sbYesToAllClick();
    EXPECT_EQ(f.setup.applied, (std::vector<std::string> { "b", "i", "b" }));
    EXPECT_FALSE(f.run.waiting());
    EXPECT_EQ(f.status.text(1), Utf8ToWin1251(" найдено - 3  заменено - 3"));

    // Nothing changed and nothing was written.
    EXPECT_EQ(f.viewer.text(), "<b>x<i>y<b>");
    EXPECT_FALSE(f.viewer.modified());
    EXPECT_FALSE(f.exists("sample.htm0"));
    EXPECT_TRUE(f.dialogs.messages().empty());
}

TEST(InteractiveRunColourSetup, NoMatchSaysNothingFound)
{
    SetupFixture f("plain");
    f.start(Single("<(\\w)>", "clRed"), PassSelection {});
    EXPECT_FALSE(f.run.waiting());
    EXPECT_FALSE(f.control.IsBusy());
    ASSERT_EQ(f.dialogs.messages().size(), 1u);
    EXPECT_EQ(f.dialogs.messages()[0], Utf8ToWin1251("Ничего не найдено."));
}
