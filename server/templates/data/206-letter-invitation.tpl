# Pennova writing template (our own text)
id: 206
kind: high
category: 书信|Letters
name: 邀请信|Letter of invitation
description: 适用于邀请老师、朋友或外宾参加活动的书信。说明活动的名称、时间、地点和内容，讲明邀请理由，最后请对方回复。
title: An Invitation to [标题中的活动，如 Our English Evening] || 邀请参加[标题中的活动，如 Our English Evening]

[block]
Dear [收信人，如 Professor Smith], || 尊敬的[收信人，如 Professor Smith]：

[block]
I am writing to invite you to [活动，如 our English evening]. || 我写信邀请您参加[活动，如 our English evening]。
It will be held in [地点，如 the school hall] at [时间，如 7 p.m. on Friday, May 20]. || 活动将于[时间，如 7 p.m. on Friday, May 20]在[地点，如 the school hall]举行。
[alternative]
On behalf of [组织，如 the Student Union], I would like to invite you to [活动，如 our English evening]. || 我谨代表[组织，如 the Student Union]邀请您参加[活动，如 our English evening]。
The event will take place at [时间，如 7 p.m. on Friday, May 20] in [地点，如 the school hall]. || 活动将于[时间，如 7 p.m. on Friday, May 20]在[地点，如 the school hall]举行。

[block]
There will be [内容，如 songs, short plays and a poetry reading]. || 届时会有[内容，如 songs, short plays and a poetry reading]。
All the performances are prepared by students. || 所有节目都由学生准备。
[alternative]
The evening includes [内容，如 a speech contest and a quiz on British culture]. || 晚会包括[内容，如 a speech contest and a quiz on British culture]。
Students from every grade will take part. || 各年级的学生都将参加。

[block]
We would be honoured if you could [请求，如 give a short speech at the opening]. || 如果您能[请求，如 give a short speech at the opening]，我们将深感荣幸。
Your presence would mean a lot to all of us. || 您的到来对我们所有人都意义重大。

[block]
Please let me know whether you can come by [截止日期，如 May 15]. || 请在[截止日期，如 May 15]之前告诉我您能否出席。
I look forward to seeing you there. || 期待在那里见到您。
[alternative]
If you have any questions, please call me at [电话，如 138 0000 0000]. || 如有任何问题，请拨打[电话，如 138 0000 0000]与我联系。
We sincerely hope you can join us. || 我们真诚地希望您能加入我们。

[block]
Yours sincerely, \n || 此致敬礼，\n
[姓名，如 Li Hua] || [姓名，如 Li Hua]

[common]
We would be glad if you could come. || 如果您能来，我们会很高兴。
It would be a great pleasure to have you with us. || 有您的参与将是我们莫大的荣幸。
The party will last about two hours. || 聚会将持续大约两个小时。
Light food and drinks will be served. || 届时会提供简单的食物和饮料。
You are welcome to bring a friend. || 欢迎您带一位朋友来。
I will meet you at the school gate. || 我会在校门口接您。
Please reply at your earliest convenience. || 请尽早回复。
I am sure you will enjoy the evening. || 我相信您会喜欢这个晚会的。
