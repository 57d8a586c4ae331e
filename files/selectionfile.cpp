#include "selectionfile.h"

#include "atomicfile.h"
#include "folders.h"
#include "selectionlayout.h"
#include "textcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace velmora {

void RestoreSelection(const SelectionRecord &record, Controls &controls)
{
    const qsizetype rows = std::clamp<qsizetype>(record.IndustryCount, 0,
                                                 std::min<qsizetype>(record.Industries.count(), GridRows));
    for (int i = 0; i < rows; ++i) {
        const IndustryRecord &industry = record.Industries[i];
        controls.setTxtInd(i, industry.Name);
        const qsizetype stored =
            std::min<qsizetype>(industry.LastType + qsizetype{1}, industry.CarTypes.count());
        if (stored <= 0)
            continue;
        QString text = controls.txtArr(i);
        for (qsizetype j = 0; j < stored; ++j) {
            if (j > 0)
                text += u',';
            text += industry.CarTypes[j];
        }
        controls.setTxtArr(i, text);
    }
    // Read the value before setting the box: the box's handler writes RandomOrder, which may be this
    // very record.
    const int randomOrder = record.RandomOrder == 1 ? 1 : 0;
    controls.setCheckRand(randomOrder);
}

FileOutcome SaveSelection(const SelectionRecord &record, const QString &path)
{
    const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath()) + QDir::separator();
    if (FileOutcome made = MakeFolderPath(folder); !made.ok)
        return made;
    QStringEncoder encoder = SystemEncoder();
    return WriteFileAtomically(path, SelectionBytes(record, encoder));
}

FileOutcome LoadSelection(Code &code, Controls &controls, const QString &path)
{
    FileOutcome outcome;
    SelectionRecord record;
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            outcome = FileOutcome::failure(file.errorString());
        } else {
            const QByteArray bytes = file.readAll();
            QStringDecoder decoder = SystemDecoder();
            // A read that failed is no short file: say what went wrong.
            outcome = file.error() != QFileDevice::NoError ? FileOutcome::failure(file.errorString())
                                                           : ParseSelection(bytes, decoder, record);
        }
    }

    if (!outcome.ok) {
        // Set the file aside instead of deleting it: nothing the user saved is lost, and the next start
        // is not stopped by the same file again.
        const QString aside = path + QStringLiteral(".unreadable");
        // An older unreadable file gives way, but only once this one is known to be movable.
        if (QFile::rename(path, aside) ||
            (QFile::exists(path) && QFile::remove(aside) && QFile::rename(path, aside)))
            outcome.keptAs = aside;
        else
            outcome.error +=
                QStringLiteral("; it could not be renamed to %1 either").arg(QDir::toNativeSeparators(aside));
        return outcome;
    }

    code.record = std::move(record);
    RestoreSelection(code.record, controls);
    QFile file(path);
    if (!file.remove())
        outcome.error =
            QStringLiteral("the file could not be deleted after loading: %1").arg(file.errorString());
    return outcome;
}

} // namespace velmora
