// Benchmarks of the main line by intersection points.
