file(REMOVE_RECURSE
  "libframeserve_core.a"
)
