#pragma once
// Where the window keeps what belongs to the user.
//
// A portable copy (the build tree, a folder unpacked anywhere) keeps KSR.ini
// beside its executable and writes its outputs beside the sample board. An
// installed program is told by the file `installed` that only the install step
// puts into share/brisel beside its bin folder, whatever the prefix it was
// staged or moved to; it keeps KSR.ini in the user's configuration folder and
// points its outputs into the user's documents, never into its own tree.

#include <QString>

namespace brisel::userfiles {

// share/brisel/samples beside the bin folder of `programFolder`.
QString samplesFolder(const QString& programFolder);

// Whether the install step put the program in `programFolder`.
bool isInstalled(const QString& programFolder);

// KSR.ini in the user's configuration folder, which is made when missing.
QString userSettingsFile();

// The folder the output boxes start in: for an installed program the user's
// documents folder, or the home folder where there is none; for a portable
// copy the samples folder when it can be written, otherwise the home folder.
QString outputFolder(const QString& programFolder);

}  // namespace brisel::userfiles
