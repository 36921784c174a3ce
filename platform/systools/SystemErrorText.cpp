// German texts for errno values.
#include "platform/systools/SystemErrorText.h"

#include <cerrno>
#include <cstring>

namespace glossel::systools {

std::string systemErrorText(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "Zugriff verweigert";
        case EROFS:
            return "schreibgeschützter Datenträger";
        case ENOSPC:
            return "kein Platz mehr auf dem Datenträger";
        case EISDIR:
            return "das ist ein Verzeichnis";
        case ELOOP:
            return "zu viele symbolische Verknüpfungen";
        case EIO:
            return "Ein-/Ausgabefehler";
        default:
            return std::strerror(error);
    }
}

}  // namespace glossel::systools
