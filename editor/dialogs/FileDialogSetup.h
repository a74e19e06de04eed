#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace corvane {

// What a file dialog asks for: a file to open or a name to save under, with
// its title and filters. The dialogs themselves know no file type; a program,
// and later a firmware image, is described here, for example
//   {FileDialogSetup::Purpose::Save, "Save the Firmware",
//    {"Intel HEX (*.hex)", FileDialogSetup::AllFiles()}, "hex"}.
struct FileDialogSetup
{
    enum class Purpose
    {
        Open, // an existing file
        Save, // any name
    };

    Purpose purpose = Purpose::Open;
    QString title;
    QStringList filters; // the first is selected
    // Added to a name typed without one; empty keeps the name as typed.
    // Saving, a name that ends in none of the filters' extensions also gets
    // the selected filter's (NameWithExtension).
    QString defaultSuffix;
    // Save: whether choosing an existing file asks before it is replaced.
    bool confirmReplace = false;
    // Where the dialog starts: the folder of this path, with its file name
    // filled in to save under ("/home/ann/signs/shop.bas"; "/home/ann/signs/"
    // names the folder alone). Empty: the dialog's own choice.
    QString startPath{};

    // The filter that shows every file, in the dialog's own words.
    static QString AllFiles()
    {
        return QCoreApplication::translate("QFileDialog", "All Files (*)");
    }
};

} // namespace corvane
