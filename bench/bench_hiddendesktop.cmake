# Runs the desktop program and the service program against simulated UPS processes.
ambrel_bench_runs_programs()
