-- Initial rows of a fresh base database: six channels, one template holding
-- them, the built-in defect types. No options (the program falls back to its
-- defaults) and no tasks.
--
-- Physical channel ids: the left rail counts 1010, 1020, 1030 (outer, centre,
-- inner), the right rail 1050, 1060, 1070. The program singles out the two
-- inner (gauge-side) channels 1030 and 1070. Ordering by channel id, as the
-- template read does, gives left outer to right inner.
INSERT INTO CHANNEL_DEFINE (CHANNEL_ID, CHANNEL_NAME, TRACK_IDF) VALUES
    (1010, '左外', 'LO'),
    (1020, '左中', 'LC'),
    (1030, '左内', 'LI'),
    (1050, '右外', 'RO'),
    (1060, '右中', 'RC'),
    (1070, '右内', 'RI');

-- Display channels. Resolutions are millimetres per pixel: a 2000 mm frame
-- is 2000 rows high, and a row of 2048 pixels covers about one metre across.
-- TRackGoBack is the channel's name when the vehicle runs reversed, which
-- swaps the rails.
INSERT INTO Track (TrackID, TrackName, TrackDisplayPos, TrackScale, TrackSubDirectory,
                   TrackRailSide, TrackVertResolution, TrackHorzResolution, TRackGoBack,
                   Track_ChannelID) VALUES
    (1, '左外', 0, 1.0, 'LO', 'L', 1.0, 0.5, '右外', 1010),
    (2, '左中', 0, 1.0, 'LC', 'L', 1.0, 0.5, '右中', 1020),
    (3, '左内', 0, 1.0, 'LI', 'L', 1.0, 0.5, '右内', 1030),
    (4, '右外', 0, 1.0, 'RO', 'R', 1.0, 0.5, '左外', 1050),
    (5, '右中', 0, 1.0, 'RC', 'R', 1.0, 0.5, '左中', 1060),
    (6, '右内', 0, 1.0, 'RI', 'R', 1.0, 0.5, '左内', 1070);

INSERT INTO CHANNEL_TEMPLATE (TEMPLATE_ID, TEMPLATE_NAME) VALUES (1, '六通道标准模板');
INSERT INTO TEMPLATE_TRACK (TEMPLATE_ID, TRACK_ID) VALUES
    (1, 1), (1, 2), (1, 3), (1, 4), (1, 5), (1, 6);

-- Built-in defect types (StandardSystem 1, cannot be deleted): rail faults
-- (class 0) below 1000, track devices (class 1) above 1000.
INSERT INTO Standard (StandardID, StandardName, StandardClass, StandardDetail, StandardSystem) VALUES
    (1,  '轨面擦伤', 0, 0, 1),
    (2,  '剥离掉块', 0, 0, 1),
    (3,  '轨头裂纹', 0, 0, 1),
    (4,  '波浪磨耗', 0, 0, 1),
    (5,  '焊缝缺陷', 0, 0, 1),
    (6,  '核伤',     0, 0, 1),
    (7,  '轨面凹陷', 0, 0, 1),
    (8,  '鱼鳞纹',   0, 0, 1),
    (9,  '肥边',     0, 0, 1),
    (10, '接头错牙', 0, 0, 1),
    (11, '侧面磨耗', 0, 0, 1),
    (12, '轨头压溃', 0, 0, 1),
    (1001, '扣件缺失',     1, 0, 1),
    (1002, '扣件断裂',     1, 0, 1),
    (1003, '弹条折断',     1, 0, 1),
    (1004, '轨枕破损',     1, 0, 1),
    (1005, '螺栓缺失',     1, 0, 1),
    (1006, '道钉缺失',     1, 0, 1),
    (1007, '垫板窜出',     1, 0, 1),
    (1008, '轨距挡板缺失', 1, 0, 1),
    (1009, '接头夹板断裂', 1, 0, 1);
