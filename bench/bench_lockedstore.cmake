# Runs both programs against the simulated UPS process of the tests.
ambrel_bench_runs_programs()
