// Private copies of the settings files, kernels by name or by weights.
#include "settings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <qd/core/settings_dir.h>

namespace fs = std::filesystem;

namespace qdcli {

MorphologyKernel::MorphologyKernel(int32_t n, std::vector<int32_t> values)
    : values_(std::move(values)) {
    rec_.N = n;
    rec_.values = values_.data();
}

Settings::Settings() = default;

Settings::~Settings() {
    // The libraries write their copies back as they close; the copies go.
    convolution_.reset();
    morphology_.reset();
    if (palettes_) PMDestroy(palettes_);
    if (!dir_.empty()) {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
}

std::string Settings::privateCopy(const char* fileName) {
    if (dir_.empty()) {
        std::error_code ec;
        std::string pattern = (fs::temp_directory_path(ec) / "qdcli-XXXXXX").string();
        if (ec || !mkdtemp(pattern.data())) throw FileError("cannot make a temporary directory");
        dir_ = pattern;
    }
    const fs::path copy = fs::path(dir_) / fileName;
    const std::string original = qd::settingsFile(fileName);
    std::error_code ec;
    if (fs::exists(original, ec)) {
        fs::copy_file(original, copy, fs::copy_options::overwrite_existing, ec);
        if (ec) throw FileError("cannot read " + original);
    }
    return copy.string();
}

PMHANDLE Settings::palettes() {
    if (!palettes_) palettes_ = PMCreate(privateCopy(PM_FILE_NAME).c_str());
    return palettes_;
}

std::vector<double> squareWeights(const std::string& text, int32_t& n) {
    std::vector<double> weights;
    const std::vector<std::string> rows = split(text, ';');
    n = int32_t(rows.size());
    for (const std::string& row : rows) {
        const std::vector<std::string> cells = split(row, ',');
        if (int32_t(cells.size()) != n)
            throw UsageError("--weights needs N rows of N numbers, rows separated by ';'");
        for (const std::string& cell : cells) {
            const std::optional<double> v = parseNumber(cell);
            if (!v) throw UsageError("--weights: \"" + cell + "\" is not a number");
            weights.push_back(*v);
        }
    }
    return weights;
}

namespace {
// With both, the weights are the kernel and the name labels them, so that a
// line naming a user's kernel runs where that kernel is unknown.
void oneKernelSource(const Options& options) {
    if (!options.has("kernel") && !options.has("weights"))
        throw UsageError("give --kernel NAME or --weights ROWS");
}
} // namespace

ConvolutionKernel Settings::convolutionKernel(const Options& options) {
    oneKernelSource(options);
    ConvolutionKernel k;
    if (options.has("weights")) {
        k.weights = squareWeights(options.text("weights"), k.n);
    } else {
        if (!convolution_)
            convolution_ = std::make_unique<qd::CKernelLibrary>(privateCopy(qd::CKernelLibrary::kFileName));
        const CONVKERNEL* rec = convolution_->find(options.text("kernel"));
        if (!rec) throw UsageError("no convolution kernel named \"" + options.text("kernel") + "\"");
        k.n = rec->N;
        k.weights.assign(rec->weights, rec->weights + int64_t(rec->N) * rec->N);
        k.divisor = rec->divisor;
    }
    k.divisor = options.number("divisor", k.divisor);
    if (k.divisor == 0.0) std::fputs("qdcli: a divisor of 0 leaves the weights undivided, as 1 does\n", stderr);
    return k;
}

MorphologyKernel Settings::morphologyKernel(const Options& options) {
    oneKernelSource(options);
    if (options.has("divisor")) throw UsageError("a structuring element takes no --divisor");
    if (options.has("weights")) {
        int32_t n = 0;
        std::vector<int32_t> values;
        for (double w : squareWeights(options.text("weights"), n)) {
            if (w != std::floor(w) || std::fabs(w) > 1e9)
                throw UsageError("--weights of a structuring element must be whole numbers");
            values.push_back(int32_t(w));
        }
        return MorphologyKernel(n, std::move(values));
    }
    if (!morphology_)
        morphology_ = std::make_unique<qd::CMMKernelLibrary>(privateCopy(qd::CMMKernelLibrary::kFileName));
    const MMKERNEL* rec = morphology_->find(options.text("kernel"));
    if (!rec) throw UsageError("no structuring element named \"" + options.text("kernel") + "\"");
    return MorphologyKernel(rec->N, std::vector<int32_t>(rec->values, rec->values + int64_t(rec->N) * rec->N));
}

} // namespace qdcli
