# Empty compiler generated dependencies file for integration_tests.
# This may be replaced when dependencies are built.
