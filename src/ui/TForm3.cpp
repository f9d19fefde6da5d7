// The dialog for an existing collecting file. Tests: tests/ui/tst_outputdialogs.cpp.

#include "ui/TForm3.h"

#include "app/FileError.h"
#include "ui/DialogCaptions.h"
#include "ui/DisplayText.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace morvane::ui {

namespace {

// Result codes beyond Rejected (0, the Cancel button and the close box).
constexpr int kOverwrite = 2;
constexpr int kAppend = 3;

} // namespace

TForm3::TForm3(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TForm3"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    m_label1 = new QLabel(this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_label1);
    m_path = new QLabel(this);
    m_path->setObjectName(QStringLiteral("LabelPath"));
    m_path->setWordWrap(true);
    m_path->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_path);

    auto* row = new QHBoxLayout;
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("bbCancel"));
    m_rewrite = new QPushButton(this);
    m_rewrite->setObjectName(QStringLiteral("bbRewrite"));
    m_add = new QPushButton(this);
    m_add->setObjectName(QStringLiteral("bbAdd"));
    for (QPushButton* button : { m_cancel, m_rewrite, m_add }) {
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    m_cancel->setDefault(true);
    layout->addLayout(row);

    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_rewrite, &QPushButton::clicked, this, [this] { done(kOverwrite); });
    connect(m_add, &QPushButton::clicked, this, [this] { done(kAppend); });
    ApplyDialogCaptions(this);
}

void TForm3::prepare(const std::filesystem::path& path)
{
    ApplyDialogCaptions(this);
    const QString text = ToDisplay(app::PathText(path));
    m_path->setText(text);
    const int pathWidth = QFontMetrics(m_path->font()).horizontalAdvance(text);
    setMinimumWidth(std::max(kMinWidth, pathWidth + 8));
    m_cancel->setFocus();
}

search::OutputExistingAnswer TForm3::ask(const std::filesystem::path& path)
{
    prepare(path);
    return answerOf(exec());
}

search::OutputExistingAnswer TForm3::answerOf(int result)
{
    switch (result) {
    case kOverwrite:
        return search::OutputExistingAnswer::Overwrite;
    case kAppend:
        return search::OutputExistingAnswer::Append;
    default:
        return search::OutputExistingAnswer::Cancel;
    }
}

} // namespace morvane::ui
