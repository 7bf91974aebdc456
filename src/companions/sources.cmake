# Files of the companions layer (paths relative to this folder)
target_sources(qvtrnsfr PRIVATE
)
