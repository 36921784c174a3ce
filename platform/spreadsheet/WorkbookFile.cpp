// The process-wide table of open workbooks and their handles.
#include "platform/spreadsheet/WorkbookFile.h"

#include <cerrno>
#include <map>
#include <mutex>
#include <optional>

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/files/FilePaths.h"
#include "platform/files/SystemErrorText.h"
#include "platform/spreadsheet/FileAccess.h"

namespace glossel::spreadsheet {

struct OpenWorkbook {
    std::string key;   // canonical native path, also the path written to
    std::string path;  // as the first opener gave it
    WorkbookReader reader = nullptr;
    std::unique_ptr<Workbook> workbook;
    int handles = 0;
    bool exclusive = false;
    std::optional<FileStamp> stamp;  // of the file as last read or written
};

namespace {

// Never destroyed, so that a handle that outlives main() can still release itself.
std::mutex& registryMutex() {
    static auto* mutex = new std::mutex;
    return *mutex;
}

std::map<std::string, std::weak_ptr<OpenWorkbook>>& registry() {
    static auto* open = new std::map<std::string, std::weak_ptr<OpenWorkbook>>;
    return *open;
}

// The workbook closed last, while its file may still be as it was written.
std::shared_ptr<OpenWorkbook>& closedWorkbook() {
    static auto* closed = new std::shared_ptr<OpenWorkbook>;
    return *closed;
}

// The closed workbook of `key` if its file is unchanged since and it was read by `reader`; a
// stale one is dropped.
std::shared_ptr<OpenWorkbook> takeClosedWorkbook(const std::string& key, WorkbookReader reader) {
    std::shared_ptr<OpenWorkbook>& closed = closedWorkbook();
    if (!closed || closed->key != key) {
        return nullptr;
    }
    std::shared_ptr<OpenWorkbook> taken = std::move(closed);
    closed.reset();
    return stampOf(key) == taken->stamp && taken->reader == reader ? taken : nullptr;
}

[[noreturn]] void inUse(const std::string& path) {
    throw Error(err::kFileInUse, "Die Datei '" + path +
                                     "' wird bereits verwendet (exklusiv geöffnet oder von "
                                     "einem anderen Zugriff gehalten).");
}

// The native path of the file `path` names, links resolved: one key for every way of naming it.
std::string canonicalPath(const std::string& path) {
    files::FileInfo info;
    if (const int error = files::infoOf(path, info)) {
        if (error == ENOENT || error == ENOTDIR) {
            throw Error(err::kFileNotFound,
                        "Die Datei '" + nativePath(path) + "' wurde nicht gefunden.");
        }
        throw Error(err::kCannotOpen, "Die Datei '" + nativePath(path) +
                                          "' kann nicht geöffnet werden (" +
                                          files::systemErrorText(error) + ").");
    }
    return files::resolvedPath(path);
}

void write(OpenWorkbook& open) {
    if (open.workbook->modified()) {
        open.workbook->dropUnusedTexts();
        open.stamp = replaceFile(open.key, open.path,
                                 [&](std::FILE* file) { open.workbook->writeTo(file); });
        open.workbook->markSaved();
    }
}

}  // namespace

WorkbookHandle openWorkbook(const std::string& path, WorkbookReader reader, Access access) {
    const std::string key = canonicalPath(path);
    const std::lock_guard lock(registryMutex());
    auto& entry = registry()[key];
    if (auto shared = entry.lock()) {
        if (shared->exclusive || access == Access::Exclusive) {
            inUse(nativePath(path));
        }
        if (shared->reader != reader) {
            throw Error(err::kUnrecognisedFormat,
                        "Die Arbeitsmappe '" + nativePath(path) +
                            "' ist in einem anderen Dateiformat geöffnet als dem verlangten.");
        }
        ++shared->handles;
        return WorkbookHandle(std::move(shared));
    }
    auto shared = takeClosedWorkbook(key, reader);
    if (shared) {
        shared->path = path;
        shared->workbook->reopenAs(path);
    } else {
        shared = std::make_shared<OpenWorkbook>();
        shared->key = key;
        shared->path = path;
        shared->reader = reader;
        try {
            FileBytes file = readWholeFile(key, path);
            shared->stamp = file.stamp;
            shared->workbook = reader(std::move(file.bytes), path);
        } catch (...) {
            registry().erase(key);
            throw;
        }
    }
    shared->handles = 1;
    shared->exclusive = access == Access::Exclusive;
    entry = shared;
    return WorkbookHandle(std::move(shared));
}

WorkbookHandle::WorkbookHandle(WorkbookHandle&& other) noexcept
    : shared_(std::move(other.shared_)) {}

WorkbookHandle& WorkbookHandle::operator=(WorkbookHandle&& other) noexcept {
    if (this != &other) {
        release();
        shared_ = std::move(other.shared_);
    }
    return *this;
}

WorkbookHandle::~WorkbookHandle() {
    release();
}

Workbook& WorkbookHandle::workbook() const {
    if (!shared_) {
        throw Error(err::kObjectClosed, "Die Arbeitsmappe ist geschlossen.");
    }
    return *shared_->workbook;
}

void WorkbookHandle::flush() {
    workbook();
    const std::lock_guard lock(registryMutex());
    write(*shared_);
}

void WorkbookHandle::close() {
    if (!shared_) {
        return;
    }
    const std::lock_guard lock(registryMutex());
    if (shared_->handles == 1) {
        write(*shared_);
        if (shared_->stamp) {
            closedWorkbook() = shared_;
        }
    }
    releaseLocked();
}

void WorkbookHandle::release() noexcept {
    if (!shared_) {
        return;
    }
    const std::lock_guard lock(registryMutex());
    releaseLocked();
}

void WorkbookHandle::releaseLocked() noexcept {
    if (--shared_->handles == 0) {
        const auto entry = registry().find(shared_->key);
        if (entry != registry().end() && entry->second.lock() == shared_) {
            registry().erase(entry);
        }
    }
    shared_.reset();
}

}  // namespace glossel::spreadsheet
