// Icons of the file panel's items. Covered by tests/ui/tst_filepanel.cpp.

#include "ui/FilePanelIcons.h"

#include <QMimeDatabase>
#include <QStyle>

namespace morvane::ui {

FilePanelIcons::FilePanelIcons(QStyle* style)
    : m_style(style)
{
    m_parent
        = QIcon::fromTheme(QStringLiteral("go-up"), m_style->standardIcon(QStyle::SP_FileDialogToParent));
    m_directory = QIcon::fromTheme(QStringLiteral("folder"), m_style->standardIcon(QStyle::SP_DirIcon));
    m_file = QIcon::fromTheme(QStringLiteral("text-x-generic"), m_style->standardIcon(QStyle::SP_FileIcon));
}

QIcon FilePanelIcons::iconFor(const filepanel::FileItem& item)
{
    if (item.isParent())
        return m_parent;
    if (item.isDirectory())
        return m_directory;

    const QString name = QString::fromUtf8(item.name.data(), static_cast<qsizetype>(item.name.size()));
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    // A name without an extension, or a dot file such as ".profile", has no type to look up.
    if (dot <= 0)
        return m_file;
    const QString extension = name.mid(dot).toLower();
    auto found = m_byExtension.constFind(extension);
    if (found != m_byExtension.constEnd())
        return *found;

    static const QMimeDatabase database;
    const QMimeType type = database.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    QIcon icon = m_file;
    if (type.isValid() && !type.isDefault()) {
        if (QIcon::hasThemeIcon(type.iconName()))
            icon = QIcon::fromTheme(type.iconName());
        else if (QIcon::hasThemeIcon(type.genericIconName()))
            icon = QIcon::fromTheme(type.genericIconName());
    }
    m_byExtension.insert(extension, icon);
    return icon;
}

} // namespace morvane::ui
