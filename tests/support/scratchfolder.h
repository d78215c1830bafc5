#pragma once
// A fresh, empty folder of one test's own in the temporary folder (TMPDIR; CTest points
// it into the build tree and fails when anything is left there), removed with everything
// in it when the object goes, however the test ends. The name is lumi_<label>_ and six
// random characters: a folder left behind says which test made it, and test processes
// that run at once never share one.

#include <filesystem>
#include <string>

namespace lumi::test {

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& label);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    operator const std::filesystem::path&() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const {
        return path_ / name;
    }
    std::string string() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

} // namespace lumi::test
