file(REMOVE_RECURSE
  "libcorvina_core.a"
)
