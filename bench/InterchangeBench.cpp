// Benchmarks of the interchange element chain.
