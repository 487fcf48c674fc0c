// Runs a fuzz target over files without libFuzzer, so the corpus and the
// kept regression inputs are checked by every ordinary test run.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include <dirent.h>
#include <string>
#include <sys/stat.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

int runFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return 0;
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return 1;
}

int runPath(const std::string& path)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return 0;
    if (!S_ISDIR(st.st_mode))
        return runFile(path);
    int n = 0;
    if (DIR* dir = ::opendir(path.c_str())) {
        while (dirent* e = ::readdir(dir)) {
            const std::string name = e->d_name;
            if (name != "." && name != "..")
                n += runPath(path + "/" + name);
        }
        ::closedir(dir);
    }
    return n;
}

} // namespace

int main(int argc, char** argv)
{
    int n = 0;
    for (int i = 1; i < argc; ++i)
        n += runPath(argv[i]);
    std::printf("replayed %d inputs\n", n);
    return n > 0 ? 0 : 1;
}
