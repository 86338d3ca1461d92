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

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
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
  return true;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  // O_NONBLOCK: opening a named pipe must not wait for a writer.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return std::nullopt;
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
      close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  close(fd);
  return bytes;
}

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace settings
