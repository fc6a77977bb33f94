// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/toolicons.h"

#include "gui/iconfiles.h"

#include <QApplication>
#include <QStyle>

namespace ToolIcons {

QIcon icon(Kind kind)
{
    struct Entry {
        const char *theme;
        QStyle::StandardPixmap standard; // when `file` is null
        const char *file;                // the program's own icon, for what the style lacks
    };
    static const Entry entries[] = {
        {"document-new", QStyle::SP_FileIcon, nullptr},
        {"document-open", QStyle::SP_DialogOpenButton, nullptr},
        {"document-save", QStyle::SP_DialogSaveButton, nullptr},
        {"edit-copy", QStyle::SP_CustomBase, "copy"},
        {"edit-paste", QStyle::SP_CustomBase, "paste"},
        {"edit-find", QStyle::SP_CustomBase, "find"},
        {"go-first", QStyle::SP_MediaSkipBackward, nullptr},
        {"go-previous", QStyle::SP_ArrowLeft, nullptr},
        {"go-next", QStyle::SP_ArrowRight, nullptr},
        {"go-last", QStyle::SP_MediaSkipForward, nullptr},
        {"document-new", QStyle::SP_CustomBase, "neworder"},
        {"accessories-calculator", QStyle::SP_CustomBase, "calculate"},
        {"document-print", QStyle::SP_CustomBase, "print"},
        {"mail-send", QStyle::SP_CustomBase, "envelope"},
        {"document-print-preview", QStyle::SP_CustomBase, "printpreview"},
        {"system-search", QStyle::SP_CustomBase, "findorders"},
        {"edit-undo", QStyle::SP_CustomBase, "undo"},
        {"edit-redo", QStyle::SP_CustomBase, "redo"},
        {"appointment-soon", QStyle::SP_CustomBase, "awaitedorders"},
    };
    const Entry &entry = entries[static_cast<int>(kind)];
    // The new order keeps its own icon: the theme's "document-new" is the new file's.
    if (kind != Kind::NewOrder) {
        const QIcon themed = QIcon::fromTheme(QString::fromLatin1(entry.theme));
        if (!themed.isNull())
            return themed;
    }
    if (entry.file)
        return QIcon(IconFiles::path(QString::fromLatin1(entry.file)));
    return QApplication::style()->standardIcon(entry.standard);
}

} // namespace ToolIcons
