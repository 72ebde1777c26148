# Empty compiler generated dependencies file for corvina_core.
# This may be replaced when dependencies are built.
