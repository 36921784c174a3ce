// German texts for the errno values file operations meet.
#include "platform/files/SystemErrorText.h"

#include <cerrno>
#include <cstring>

namespace glossel::files {

std::string systemErrorText(int error) {
    switch (error) {
        case kEndOfFile:
            return "die Datei endet vorzeitig";
        case ENOENT:
            return "Datei oder Verzeichnis nicht gefunden";
        case EACCES:
        case EPERM:
            return "Zugriff verweigert";
        case EROFS:
            return "schreibgeschützter Datenträger";
        case ENOSPC:
            return "kein Platz mehr auf dem Datenträger";
        case EDQUOT:
            return "Speicherplatzkontingent überschritten";
        case EISDIR:
            return "das ist ein Verzeichnis";
        case ENOTDIR:
            return "ein Teil des Pfades ist kein Verzeichnis";
        case EBUSY:
        case ETXTBSY:
            return "die Datei wird gerade benutzt";
        case EIO:
            return "Ein-/Ausgabefehler";
        case ENAMETOOLONG:
            return "der Dateiname ist zu lang";
        case ELOOP:
        case EMLINK:
            return "zu viele Verknüpfungen";
        default:
            return std::strerror(error);
    }
}

}  // namespace glossel::files
