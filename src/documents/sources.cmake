# Files of the documents layer (paths relative to this folder)
target_sources(qvtrnsfr PRIVATE
)
