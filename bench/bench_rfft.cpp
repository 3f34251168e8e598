#include "rfft/RealFFT"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <random>
#include <vector>

namespace {

std::vector<double> input(int n)
{
    std::mt19937_64 gen(1);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    std::vector<double> x(n);
    for (double &v : x)
        v = dist(gen);
    return x;
}

void BM_RealFFT(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    rfft::RealFFT<double> fft(n);
    const std::vector<double> x = input(n);
    std::vector<double> f(n);
    for (auto _ : state) {
        fft.forward_fft(f.data(), x.data());
        benchmark::DoNotOptimize(f.data());
        benchmark::ClobberMemory();
    }
}

// What the wave model pays: it builds a new object for every transform.
void BM_RealFFTWithConstruction(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    const std::vector<double> x = input(n);
    std::vector<double> f(n);
    for (auto _ : state) {
        rfft::RealFFT<double> fft(n);
        fft.forward_fft(f.data(), x.data());
        benchmark::DoNotOptimize(f.data());
        benchmark::ClobberMemory();
    }
}

void BM_FftwR2c(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    double *in = fftw_alloc_real(n);
    fftw_complex *out = fftw_alloc_complex(n / 2 + 1);
    // Planning with FFTW_MEASURE overwrites the arrays, so the input goes in afterwards.
    fftw_plan plan = fftw_plan_dft_r2c_1d(n, in, out, FFTW_MEASURE);
    const std::vector<double> x = input(n);
    std::copy(x.begin(), x.end(), in);
    for (auto _ : state) {
        fftw_execute(plan);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
    fftw_destroy_plan(plan);
    fftw_free(out);
    fftw_free(in);
}

} // namespace

BENCHMARK(BM_RealFFT)->Arg(1024)->Arg(16384);
BENCHMARK(BM_RealFFTWithConstruction)->Arg(1024)->Arg(16384);
BENCHMARK(BM_FftwR2c)->Arg(1024)->Arg(16384);
