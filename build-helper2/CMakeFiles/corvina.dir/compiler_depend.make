# Empty compiler generated dependencies file for corvina.
# This may be replaced when dependencies are built.
