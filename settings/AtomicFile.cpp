#include "settings/AtomicFile.h"

#include <fcntl.h>
#include <glib.h>
#include <glib/gstdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

namespace settings {
namespace {

void SetError(std::string* error, const std::string& what, const std::string& path, int code) {
  if (error) *error = what + " \"" + path + "\": " + g_strerror(code);
}

// The file a write to `path` must replace: the target of a symbolic link,
// else `path` itself.
std::string ResolveTarget(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
  return real ? std::string(real.get()) : path;
}

bool WriteAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

FileStamp StampFrom(const struct stat& st) {
  FileStamp s;
  s.exists = true;
  s.regular = S_ISREG(st.st_mode);
  s.device = static_cast<std::uint64_t>(st.st_dev);
  s.inode = static_cast<std::uint64_t>(st.st_ino);
  s.size = static_cast<std::int64_t>(st.st_size);
  s.modifiedSeconds = static_cast<std::int64_t>(st.st_mtim.tv_sec);
  s.modifiedNanoseconds = static_cast<std::int64_t>(st.st_mtim.tv_nsec);
  return s;
}

}  // namespace

FileStamp StampOf(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return {};
  return StampFrom(st);
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error,
                         FileStamp* written) {
  const std::string target = ResolveTarget(path);

  struct stat old {};
  const bool replacing = stat(target.c_str(), &old) == 0;
  if (replacing && S_ISDIR(old.st_mode)) {
    SetError(error, "Cannot replace", target, EISDIR);
    return false;
  }

  std::string temp = target + ".XXXXXX";
  const int fd = g_mkstemp_full(temp.data(), O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0) {
    SetError(error, "Cannot create a temporary file for", target, errno);
    return false;
  }

  auto fail = [&](const char* what, int code) {
    close(fd);
    g_unlink(temp.c_str());
    SetError(error, what, target, code);
    return false;
  };

  if (!WriteAll(fd, bytes)) return fail("Cannot write", errno);
  if (replacing && S_ISREG(old.st_mode)) {
    // Keep the permissions the user gave the old file.
    if (fchmod(fd, old.st_mode & 07777) != 0) return fail("Cannot set the permissions of", errno);
    if (old.st_size > 0 && fdatasync(fd) != 0) return fail("Cannot flush", errno);
  }
  // The rename keeps the inode and the modification time, so this is the
  // stamp the new file will have.
  struct stat now {};
  if (written && fstat(fd, &now) != 0) return fail("Cannot stat", errno);
  if (close(fd) != 0) {
    const int code = errno;
    g_unlink(temp.c_str());
    SetError(error, "Cannot write", target, code);
    return false;
  }
  if (g_rename(temp.c_str(), target.c_str()) != 0) {
    const int code = errno;
    g_unlink(temp.c_str());
    SetError(error, "Cannot replace", target, code);
    return false;
  }
  if (written) *written = StampFrom(now);
  return true;
}

FileContent ReadFileContent(const std::string& path) {
  FileContent content;
  // O_NONBLOCK: opening a named pipe must not wait for a writer.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    const int code = errno;
    content.missing = code == ENOENT || code == ENOTDIR;
    content.reason = g_strerror(code);
    content.stamp = StampOf(path);
    return content;
  }
  struct stat st {};
  if (fstat(fd, &st) != 0) {
    content.reason = g_strerror(errno);
    close(fd);
    content.stamp = StampOf(path);
    return content;
  }
  content.stamp = StampFrom(st);
  if (!S_ISREG(st.st_mode)) {
    content.reason = S_ISDIR(st.st_mode) ? g_strerror(EISDIR) : "Not a regular file";
    close(fd);
    return content;
  }
  // Read straight into the text, sized from the file; keep reading past
  // that size in case the file grew meanwhile.
  std::string bytes(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 0) + 1, '\0');
  std::size_t got = 0;
  for (;;) {
    if (got == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      content.reason = g_strerror(errno);
      close(fd);
      return content;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  close(fd);
  content.bytes = std::move(bytes);
  return content;
}

std::optional<std::string> ReadWholeFile(const std::string& path) { return ReadFileContent(path).bytes; }

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace settings
