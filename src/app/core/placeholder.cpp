// replaced by the core sources
