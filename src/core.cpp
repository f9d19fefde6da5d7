// morvane_core gathers the per-folder libraries of the core into one link target.
