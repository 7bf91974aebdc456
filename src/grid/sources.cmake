# Files of the grid layer (paths relative to this folder)
target_sources(qvtrnsfr PRIVATE
)
