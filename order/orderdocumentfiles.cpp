// SPDX-License-Identifier: GPL-3.0-or-later
// The document's files: the order book's file commands, and the settings and supplier files.
#include "order/orderdocument.h"

#include "settings/settingsfile.h"

// ---- File ----

Result<bool> OrderDocument::loadBook(const QString &fileName)
{
    const Result<bool> loaded = m_book.load(fileName);
    if (!loaded.ok() || !*loaded)
        return loaded;
    setCaption(m_book.caption());
    setFileModified(m_book.checkBlocks());
    Q_EMIT historyCleared();
    if (const Status shown = showCurrentOrder(); !shown)
        return shown.failure();
    setOrderModified(false);
    return true;
}

Result<bool> OrderDocument::save(const QString &fileName, SaveWhen when)
{
    if (!m_fileModified && when == SaveWhen::Modified)
        return false;
    OrderRecord record;
    const bool writeBack = orderToWrite(record);
    if (const Status saved = m_book.save(fileName, writeBack ? &record : nullptr, m_overflow);
        !saved) {
        setCaption(m_book.caption()); // a book another desk took over is read-only now
        return saved.failure();
    }
    ++m_saves;
    setFlags(false, false);
    setCaption(m_book.caption());
    Q_EMIT saved();
    return true;
}

Status OrderDocument::newBook()
{
    m_book.clear();
    Q_EMIT historyCleared();
    const Status shown = showCurrentOrder();
    setFlags(false, false);
    setCaption(QString());
    if (!shown)
        return shown;
    m_settings.autoOpenFileName.clear();
    m_settings.euroMode = 0;
    m_settings.singleCurrency = 0;
    Q_EMIT settingsChanged(); // the order was shown before the currency went back to francs
    return {};
}

Result<bool> OrderDocument::recover(const QString &fileName, const TextLines &lines)
{
    const bool named = m_book.recover(fileName, lines);
    Q_EMIT historyCleared();
    setCaption(m_book.caption());
    const Status shown = showCurrentOrder();
    setFlags(true, false);
    if (!shown)
        return shown.failure();
    return named;
}

Status OrderDocument::reread()
{
    const QString number = m_record.number;
    if (const Status read = m_book.reread(); !read)
        return read;
    setFileModified(m_book.checkBlocks());
    Q_EMIT historyCleared();
    if (const int index = m_book.orderWithNumber(number); index >= 0)
        m_book.setCurrentOrder(index);
    const Status shown = showCurrentOrder();
    setOrderModified(false);
    setCaption(m_book.caption());
    return shown;
}

Status OrderDocument::takeWriting()
{
    if (m_book.changedOnDisk() && hasUnsavedChanges())
        return Failure(QStringLiteral("Le fichier a été enregistré par un autre poste depuis "
                                      "que vous l'avez lu : enregistrez vos modifications sous "
                                      "un autre nom."));
    if (m_book.changedOnDisk())
        if (const Status read = reread(); !read)
            return read;
    const Status taken = m_book.takeWriting();
    setCaption(m_book.caption());
    return taken;
}

TextLines OrderDocument::snapshot() const
{
    OrderRecord record;
    const bool writeBack = orderToWrite(record);
    return m_book.snapshot(writeBack ? &record : nullptr, m_overflow);
}

// ---- Settings, suppliers ----

void OrderDocument::autoOpenSetting(bool &autoOpen, QString &fileName) const
{
    SettingsFile::autoOpenSetting(m_settings, autoOpen, fileName);
}

void OrderDocument::setAutoOpen(bool autoOpen)
{
    SettingsFile::setAutoOpen(m_settings, autoOpen);
}

Status OrderDocument::saveSettings(const QString &fileName)
{
    return SettingsFile::saveSettings(m_settings, fileName);
}

bool OrderDocument::loadSettings()
{
    if (!SettingsFile::loadSettings(m_settings))
        return false;
    applySettings();
    return true;
}

Status OrderDocument::saveSuppliers()
{
    return m_suppliers.saveSuppliers();
}

void OrderDocument::applySettings()
{
    Q_EMIT settingsChanged();
}
