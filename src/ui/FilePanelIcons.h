#pragma once
// The icons of the file panel's items: the parent entry, directories, and files by type from
// the desktop's icon theme (the MIME type that the name's extension suggests), with the
// style's generic icons where the theme has none. File icons are cached per lower-case
// extension for the life of the window, so a large listing looks each type up once.
// Covered by tests/ui/tst_filepanel.cpp.

#include "filepanel/FileItem.h"

#include <QHash>
#include <QIcon>

class QStyle;

namespace morvane::ui {

class FilePanelIcons {
public:
    explicit FilePanelIcons(QStyle* style);

    QIcon iconFor(const filepanel::FileItem& item);
    // Number of file types looked up so far.
    int cachedTypes() const { return static_cast<int>(m_byExtension.size()); }

private:
    QStyle* m_style;
    QIcon m_parent;
    QIcon m_directory;
    QIcon m_file;
    QHash<QString, QIcon> m_byExtension;
};

} // namespace morvane::ui
