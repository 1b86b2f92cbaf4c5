#include "sim/pictures/PictureWriter.h"

#include <stdexcept>
#include <utility>

#include "sim/CommandError.h"
#include "sim/pictures/FileReplacement.h"
#include "sim/pictures/Picture.h"

namespace lunadoze::sim {

PictureWriter::~PictureWriter() {
  if (!thread_.joinable()) return;
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  // The thread does the job it has before it stops.
  thread_.join();
}

void PictureWriter::write(const Picture& picture, const std::filesystem::path& path,
                          std::string_view location, std::string_view command) {
  finish();
  checkFolderOf(path);
  picture.takeInto(encoder_, path);
  {
    const std::lock_guard lock(mutex_);
    location_ = location;
    command_ = command;
    job_ = [this, path] { replaceFile(path, encoder_.bytes()); };
  }
  if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
  changed_.notify_all();
}

void PictureWriter::finish() {
  waitForThread();
  const std::lock_guard lock(mutex_);
  if (failure_ == nullptr) return;
  const auto failure = std::exchange(failure_, nullptr);
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& error) {
    throw EarlierCommandError(location_, command_, error.what());
  }
}

void PictureWriter::waitForThread() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return job_ == nullptr && !working_; });
}

void PictureWriter::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return job_ != nullptr || stopping_; });
    if (job_ == nullptr) return;
    const auto job = std::exchange(job_, nullptr);
    working_ = true;
    lock.unlock();
    std::exception_ptr failure;
    try {
      job();
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    failure_ = failure;
    working_ = false;
    changed_.notify_all();
  }
}

}  // namespace lunadoze::sim
