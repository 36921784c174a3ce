// The staged file: a uniquely named hidden file beside the target, renamed over it on commit.
#include "platform/files/StagedFile.h"

#include <cerrno>
#include <random>

#include "platform/NativePath.h"
#include "platform/files/File.h"
#include "platform/files/FileError.h"
#include "platform/files/FilePaths.h"
#include "platform/files/SystemErrorText.h"

namespace glossel::files {
namespace {

constexpr int kNameAttempts = 100;

// ".Texte-" and ".xls" for ".../Texte.xls": the hidden name's start and its end.
std::pair<std::string, std::string> stagedNameParts(const std::string& replaced) {
    const std::string name = replaced.substr(replaced.find_last_of('/') + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) {
        return {"." + name + "-", ""};
    }
    return {"." + name.substr(0, dot) + "-", name.substr(dot)};
}

std::string randomLetters() {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string letters(6, ' ');
    for (char& letter : letters) {
        letter = kLetters[pick(generator)];
    }
    return letters;
}

}  // namespace

StagedFile::StagedFile(const std::string& target)
    : target_(nativePath(target)), replaced_(resolvedPath(target)) {
    const std::string directory = directoryOf(replaced_);
    const auto [start, end] = stagedNameParts(replaced_);
    int error = EEXIST;
    for (int attempt = 0; attempt < kNameAttempts && error == EEXIST; ++attempt) {
        const std::string candidate = directory + "/" + start + randomLetters() + end;
        File file;
        error = file.open(candidate, Access::createNew);
        if (error == 0) {
            path_ = candidate;
            FileInfo info;
            newFileMode_ = file.info(info) == 0 ? info.permissions : 0644;
        }
    }
    if (error != 0) {
        throw FileError(err::kCannotOpen,
                        "Die Datei '" + target_ +
                            "' kann nicht geschrieben werden: " + systemErrorText(error) + ".",
                        error);
    }
}

StagedFile::~StagedFile() {
    if (!committed_) {
        (void)removeFile(path_);
    }
}

void StagedFile::commit() {
    const auto failed = [this](const char* step, int error) {
        return FileError(err::kDiskIo,
                         "Die Datei '" + target_ + "' kann nicht geschrieben werden (" + step +
                             ": " + systemErrorText(error) + "); sie bleibt unverändert.",
                         error);
    };
    FileInfo existing;
    const unsigned mode = infoOf(replaced_, existing) == 0 ? existing.permissions : newFileMode_;
    File file;
    if (const int error = file.open(path_, Access::read)) {
        throw failed("Öffnen", error);
    }
    if (const int error = file.setPermissions(mode)) {
        throw failed("Rechte setzen", error);
    }
    if (const int error = file.sync()) {
        throw failed("Sichern auf den Datenträger", error);
    }
    if (const int error = file.close()) {
        throw failed("Schließen", error);
    }
    if (const int error = renameFile(path_, replaced_)) {
        throw failed("Umbenennen", error);
    }
    committed_ = true;
    // The file is in the target's place now; a directory that cannot be synced (some file
    // systems refuse) leaves only the durability of the name to the system.
    (void)syncDirectory(directoryOf(replaced_));
}

}  // namespace glossel::files
