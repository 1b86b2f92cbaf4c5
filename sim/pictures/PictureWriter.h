#pragma once

#include <condition_variable>
#include <exception>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "sim/pictures/PngEncoder.h"

namespace lunadoze::sim {

class Picture;

// Writes pictures as PNG files while the script goes on. The pixels are taken in at once, so that
// the picture may be drawn over as soon as write() returns, and a folder that cannot be written to
// is told there; working the file out and writing it is left to a thread of the writer's own, one
// picture at a time. The same pictures give the same files as Picture::writePng.
class PictureWriter {
 public:
  PictureWriter() = default;
  // Waits for the last file.
  ~PictureWriter();
  PictureWriter(const PictureWriter&) = delete;
  PictureWriter& operator=(const PictureWriter&) = delete;

  // The picture into the file. Waits for the last one first: when that one failed, throws its
  // failure rather than taking this one, as an EarlierCommandError at the place of its command.
  // Throws std::runtime_error when this one cannot be begun.
  void write(const Picture& picture, const std::filesystem::path& path, std::string_view location,
             std::string_view command);
  // Waits until the last file is in place, or throws its failure as write() does.
  void finish();

 private:
  // Waits until the thread has done the job it was given.
  void waitForThread();
  void run();

  // Kept for all the pictures: it remembers the last ones, which the next ones are told apart from.
  PngEncoder encoder_;
  std::mutex mutex_;
  std::condition_variable changed_;
  // The job given and not yet begun, whether one is being done, and whether the thread is to stop.
  std::function<void()> job_;
  bool working_ = false;
  bool stopping_ = false;
  // The job's failure, and the place and name of the command that gave the job.
  std::exception_ptr failure_;
  std::string location_;
  std::string command_;
  // Started with the first picture.
  std::thread thread_;
};

}  // namespace lunadoze::sim
