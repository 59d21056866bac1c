file(REMOVE_RECURSE
  "libframeserve_sources.a"
)
