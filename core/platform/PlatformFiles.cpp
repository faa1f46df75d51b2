// What the two platform files share: owning a handle and moving it, and the folder-sync hook.
#include "PlatformFiles.h"

#include <utility>

namespace taviro::platform {
namespace {

FolderSyncObserver& folderSyncObserver()
{
    static FolderSyncObserver observer;
    return observer;
}

} // namespace

void setFolderSyncObserver(FolderSyncObserver observer)
{
    folderSyncObserver() = std::move(observer);
}

void detail::reportFolderSync(const std::string& path)
{
    if (const FolderSyncObserver& observer = folderSyncObserver())
        observer(path);
}

File::~File()
{
    close();
}

File::File(File&& other) noexcept
    : m_handle(other.m_handle), m_sizeAtOpen(other.m_sizeAtOpen), m_created(other.m_created),
      m_seekable(other.m_seekable), m_device(other.m_device), m_inode(other.m_inode)
{
    other.m_handle = kInvalid;
}

File& File::operator=(File&& other) noexcept
{
    if (this != &other) {
        close();
        m_handle = other.m_handle;
        m_sizeAtOpen = other.m_sizeAtOpen;
        m_created = other.m_created;
        m_seekable = other.m_seekable;
        m_device = other.m_device;
        m_inode = other.m_inode;
        other.m_handle = kInvalid;
    }
    return *this;
}

RangeLock::~RangeLock()
{
    release();
}

RangeLock::RangeLock(RangeLock&& other) noexcept : m_handle(other.m_handle), m_path(std::move(other.m_path))
{
    other.m_handle = kInvalid;
}

RangeLock& RangeLock::operator=(RangeLock&& other) noexcept
{
    if (this != &other) {
        release();
        m_handle = other.m_handle;
        m_path = std::move(other.m_path);
        other.m_handle = kInvalid;
    }
    return *this;
}

} // namespace taviro::platform
